#include "engine/metadata/locationfields.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace {

std::string lower(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return result;
}

bool containsCoordinateWord(std::string_view name)
{
    const std::string text = lower(name);
    for (const char *word : {"gps", "latitude", "longitude", "altitude"}) {
        if (text.find(word) != std::string::npos)
            return true;
    }
    return false;
}

bool isPlaceName(std::string_view name)
{
    static const std::array<const char *, 15> names = {
        "city", "state", "provincestate", "country", "countryname", "countrycode", "sublocation", "location",
        "locationshown", "locationcreated", "locationname", "locationid", "worldregion", "province", "coverage"};
    const std::string text = lower(name);
    return std::find(names.begin(), names.end(), text) != names.end();
}

// The file's own bookkeeping: a property named "Location" there is no place.
bool isTechnicalNamespace(std::string_view prefix)
{
    for (const char *technical : {"xmpMM", "stEvt", "stRef", "crs", "crss", "xmpTPg", "stDim"}) {
        if (prefix == technical)
            return true;
    }
    return false;
}

// Each step of a path like "LocationShown[1]/Iptc4xmpExt:City", without the
// namespace prefix and the array index.
template <typename Visit>
bool anyStep(std::string_view path, Visit &&visit)
{
    while (!path.empty()) {
        const size_t slash = path.find('/');
        std::string_view step = path.substr(0, slash);
        step = step.substr(0, step.find('['));
        const size_t colon = step.find(':');
        if (colon != std::string_view::npos)
            step = step.substr(colon + 1);
        if (step.size() > 1 && step.front() == '?')  // a qualifier
            step.remove_prefix(1);
        if (!step.empty() && visit(step))
            return true;
        if (slash == std::string_view::npos)
            break;
        path.remove_prefix(slash + 1);
    }
    return false;
}

} // namespace

namespace LocationFields {

bool isLocation(const std::string &xmpKey)
{
    // "Xmp.<prefix>.<path>"; a prefix may contain dashes but no dots.
    std::string_view key(xmpKey);
    if (key.substr(0, 4) != "Xmp.")
        return false;
    key.remove_prefix(4);
    const size_t dot = key.find('.');
    if (dot == std::string_view::npos)
        return false;
    if (isTechnicalNamespace(key.substr(0, dot)))
        return false;
    return anyStep(key.substr(dot + 1),
                   [](std::string_view step) { return containsCoordinateWord(step) || isPlaceName(step); });
}

bool removeFrom(Exiv2::ExifData &exif)
{
    bool removed = false;
    const bool thumbnail = std::any_of(exif.begin(), exif.end(),
                                       [](const Exiv2::Exifdatum &datum) { return datum.groupName() == "Thumbnail"; });
    if (thumbnail) {
        // Its directory can have a GPS directory of its own that Exiv2 does not
        // read, and so cannot clean: the thumbnail goes as a whole.
        Exiv2::ExifThumb(exif).erase();
        removed = true;
    }
    for (auto i = exif.begin(); i != exif.end();) {  // a list: erasing costs nothing
        if (i->groupName() == "GPSInfo" || containsCoordinateWord(i->tagName())) {
            i = exif.erase(i);
            removed = true;
        } else {
            ++i;
        }
    }
    return removed;
}

bool removeFrom(Exiv2::IptcData &iptc)
{
    static const std::array<const char *, 7> places = {"City", "SubLocation", "ProvinceState", "CountryName",
                                                       "CountryCode", "LocationCode", "LocationName"};
    Exiv2::IptcData kept;
    for (const Exiv2::Iptcdatum &datum : iptc) {
        const std::string name = datum.tagName();
        if (std::find(places.begin(), places.end(), name) == places.end() && !containsCoordinateWord(name))
            kept.add(datum);
    }
    const bool removed = kept.size() != iptc.size();
    if (removed)
        iptc = kept;
    return removed;
}

bool removeFrom(Exiv2::XmpData &xmp)
{
    // Copied over rather than erased one by one: each erase from the middle
    // moves all that follows, and a packet with many fields would take minutes.
    Exiv2::XmpData kept;
    for (const Exiv2::Xmpdatum &datum : xmp) {
        if (!isLocation(datum.key()))
            kept.add(datum);
    }
    const bool removed = kept.count() != xmp.count();
    if (removed) {
        kept.usePacket(xmp.usePacket());
        xmp = kept;
    }
    return removed;
}

} // namespace LocationFields
