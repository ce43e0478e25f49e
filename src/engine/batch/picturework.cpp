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
    if (plan.mode == PictureMode::Copy && plan.cleansCopy) {
        prepared.ok = PicturePipeline::guarded(prepared.failure, [&] {
            prepared.output = PicturePipeline::cleanedCopy(plan.source, plan.target, job.output, &prepared.notes);
        });
        return prepared;
    }
    if (plan.mode == PictureMode::Copy) {
        QString reason;
        prepared.output = SafeFile::copyToOutput(plan.source, plan.target, &reason);
        prepared.ok = prepared.output != nullptr;
        prepared.failure.status = StatusFailed;
        prepared.failure.message = PicturePipeline::errorText(reason);
        return prepared;
    }
    prepared.ok = PicturePipeline::guarded(prepared.failure, [&] {
        RenderedPicture picture = PicturePipeline::render(plan.source, job);
        if (plan.mode == PictureMode::Page)
            prepared.page = PicturePipeline::asPage(picture, plan.extension);
        else
            prepared.output = PicturePipeline::encode(picture, plan.extension, plan.target, plan.source, job);
        prepared.notes = picture.notesOf();
    });
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
