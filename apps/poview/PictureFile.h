#ifndef POVIEW_PICTUREFILE_H
#define POVIEW_PICTUREFILE_H

#include <QImage>

#include <string>

// The bytes of a picture file for `output`. Throws a user error naming the
// output when the picture cannot be encoded.
std::string encodePicture(const QImage &image, const std::string &output);

#endif
