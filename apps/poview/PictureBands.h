#ifndef POVIEW_PICTUREBANDS_H
#define POVIEW_PICTUREBANDS_H

#include "PoOffscreenRenderer.h"

#include <memory>
#include <string>

// Picture files written a band of rows at a time, as PoOffscreenRenderer
// renders a poster, so that the picture is never whole in memory: PNG
// (through libpng) and binary PPM. Other formats are written by Qt from a
// picture held whole (PictureFile.h).

// Whether the format `output`'s name chooses is written in bands.
bool isBandedFormat(const std::string &output);

// An encoder that writes into an open file descriptor. The rows must come
// top to bottom, every row once; finish() completes the file. A write that
// fails (takeRows or finish answering false) leaves errno saying why.
class BandEncoder : public PoOffscreenRenderer::BandSink {
public:
  // The encoder for `output`'s format, a picture width x height.
  static std::unique_ptr<BandEncoder> forOutput(const std::string &output, int fd, int width,
                                                int height);
  virtual bool finish() = 0;
};

#endif
