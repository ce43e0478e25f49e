#ifndef LOCATIONFIELDS_H
#define LOCATIONFIELDS_H

// Which metadata fields tell where a picture was taken or what place it shows,
// so that "remove the location" removes every one of them:
//  - EXIF: the GPS directory, every tag named after GPS, latitude, longitude or
//    altitude (also a camera maker's), and the thumbnail's directory, which can
//    point to a GPS directory of its own;
//  - IPTC: city, sub-location, province or state, country, country code and
//    the content location;
//  - XMP: any property (or anything inside it) named after GPS, latitude,
//    longitude or altitude, whatever its namespace (exif:GPS..., a drone's
//    GpsLatitude or AbsoluteAltitude, a vendor's own), and any named City,
//    State, Country, CountryCode, Sublocation, Location, LocationShown,
//    LocationCreated, LocationName, LocationId, WorldRegion or coverage (Dublin
//    Core's place or period a picture covers). Only the
//    namespaces that describe the file itself rather than the scene (media
//    management with its history and references, raw development settings) are
//    left alone: a name there is a document's or a tool's, never a place.
//
// Safe to call from any thread, each on its own data.

#include <exiv2/exiv2.hpp>

#include <string>

namespace LocationFields {

// Whether an XMP key ("Xmp.drone-dji.GpsLatitude",
// "Xmp.iptcExt.LocationShown[1]/Iptc4xmpExt:City") names a location.
bool isLocation(const std::string &xmpKey);

// Each removes every location field; true when anything was removed.
bool removeFrom(Exiv2::ExifData &exif);
bool removeFrom(Exiv2::IptcData &iptc);
bool removeFrom(Exiv2::XmpData &xmp);

} // namespace LocationFields

#endif
