#ifndef POVIEW_PICTUREFILE_H
#define POVIEW_PICTUREFILE_H

#include <QImage>

#include <string>

// Checks, before any work is done, that Qt can write a picture named
// `output`: its format is the name's extension, case ignored ("png", "jpg",
// "ppm", ...), PNG for a name without one and for "-" (standard output).
// Throws a usage error naming `option` and the formats Qt writes when no
// image writer knows the extension. Needs no QGuiApplication.
void checkPictureFormat(const std::string &option, const std::string &output);

// The format `output`'s name chooses, as checkPictureFormat reads it: "png",
// "jpg", "ppm", ...
std::string pictureFormatOf(const std::string &output);

// Writes the picture to `output` (a file, or "-" for standard output; see
// CommandOutput.h) in the format its name chooses, encoding it straight into
// the file: a poster is never held a second time as its file's bytes. Throws
// a user error naming the output when the picture cannot be encoded or
// written.
void writePicture(const QImage &image, const std::string &output);

#endif
