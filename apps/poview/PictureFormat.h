#ifndef POVIEW_PICTUREFORMAT_H
#define POVIEW_PICTUREFORMAT_H

#include <string>

class QImage;

// The picture format for an output name, as Qt's image writers name it
// ("png", "jpg", "ppm", ...): the name's extension, case ignored, or "png"
// for a name without one and for "-" (standard output). Throws a usage error
// naming `option` and the formats Qt can write when no writer knows the
// extension. Needs no QGuiApplication.
std::string pictureFormatFor(const std::string &option, const std::string &output);

// The picture encoded in that format. Throws a user error naming `output`
// when Qt cannot encode it.
std::string encodePicture(const QImage &image, const std::string &format,
                          const std::string &output);

#endif
