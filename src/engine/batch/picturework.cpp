#include "engine/batch/picturework.h"

#include "engine/files/safefile.h"

namespace PictureWork {

bool waitsForItsTurn(const PicturePlan &plan, bool deleteSource)
{
    return plan.mode == PictureMode::Copy && !plan.cleansCopy
           && (deleteSource || SafeFile::samePath(plan.source, plan.target));
}

PreparedPicture prepare(const PicturePlan &plan, const ConversionJob &job)
{
    PreparedPicture prepared;
    // The written output, or why there is none.
    auto settle = [&prepared](Result<std::unique_ptr<OutputFile>> output) {
        prepared.ok = output.ok();
        if (prepared.ok)
            prepared.output = std::move(output).value();
        else
            prepared.failure = PicturePipeline::failed(output.error());
    };
    if (plan.mode == PictureMode::Copy && plan.cleansCopy) {
        settle(PicturePipeline::cleanedCopy(plan.source, plan.target, job.output, &prepared.notes));
        return prepared;
    }
    if (plan.mode == PictureMode::Copy) {
        settle(SafeFile::copyToOutput(plan.source, plan.target));
        return prepared;
    }
    Result<RenderedPicture> picture = PicturePipeline::render(plan.source, job);
    if (!picture) {
        prepared.failure = PicturePipeline::failed(picture.error());
        return prepared;
    }
    if (plan.mode == PictureMode::Page) {
        const Result<Magick::Image> page = PicturePipeline::asPage(picture.value(), plan.extension);
        prepared.ok = page.ok();
        if (page)
            prepared.page = page.value();
        else
            prepared.failure = PicturePipeline::failed(page.error());
    } else {
        settle(PicturePipeline::encode(picture.value(), plan.extension, plan.target, plan.source, job));
    }
    if (prepared.ok)
        prepared.notes = picture.value().notesOf();
    return prepared;
}

PictureResult place(const PicturePlan &plan, const PreparedPicture &prepared, bool deleteSource,
                    DocumentPages &document)
{
    PictureResult result;
    if (!prepared.ok)
        result = prepared.failure;
    else if (plan.mode == PictureMode::Page)
        result = document.add(prepared.page, plan.source);
    else
        result = PicturePipeline::placeOutput(*prepared.output, plan.source, deleteSource);
    result.notes = prepared.notes;
    return plan.settled(result);
}

PictureResult copyInTurn(const PicturePlan &plan, bool deleteSource)
{
    return plan.settled(PicturePipeline::copyPicture(plan.source, plan.target, deleteSource));
}

} // namespace PictureWork
