#ifndef BRENNICQT_BANDOUTPUT_H
#define BRENNICQT_BANDOUTPUT_H

#include "PoOffscreenRenderer.h"
#include "TileLayout.h"

#include <QImage>

#include <cstddef>
#include <new>
#include <string>
#include <vector>

class GLTileTarget;

// Where the bands of a render go: rows of the area's width, top row first.
class BandTarget {
public:
  virtual ~BandTarget() = default;
  // Where the top row of `band` goes, and the bytes from a row to the next
  // one down; null when there is no room.
  virtual unsigned char *topRowOf(const PixelTile &band, std::ptrdiff_t &bytesPerLine) = 0;
  virtual bool bandDone(const PixelTile &band) = 0;
  virtual void tileDone(int, int) {}
};

// The picture held whole, as render() answers it.
class PictureTarget : public BandTarget {
public:
  PictureTarget(QImage &picture, const PixelTile &area) : m_picture(picture), m_area(area) {}
  unsigned char *topRowOf(const PixelTile &band, std::ptrdiff_t &bytesPerLine) override {
    bytesPerLine = m_picture.bytesPerLine();
    return m_picture.scanLine(m_area.y + m_area.height - band.y - band.height);
  }
  bool bandDone(const PixelTile &) override { return true; }

private:
  QImage &m_picture;
  PixelTile m_area;
};

// One band at a time in memory, handed on to the caller's sink.
class SinkTarget : public BandTarget {
public:
  SinkTarget(PoOffscreenRenderer::BandSink &sink, const PixelTile &area)
      : m_sink(sink), m_area(area), m_bytesPerLine(std::ptrdiff_t(area.width) * 3) {}
  unsigned char *topRowOf(const PixelTile &band, std::ptrdiff_t &bytesPerLine) override {
    const std::size_t bytes = std::size_t(m_bytesPerLine) * std::size_t(band.height);
    if (m_band.size() < bytes) {
      m_band.clear();
      m_band.shrink_to_fit();
      try {
        m_band.resize(bytes);
      } catch (const std::bad_alloc &) {
        return nullptr;
      }
    }
    bytesPerLine = m_bytesPerLine;
    return m_band.data();
  }
  bool bandDone(const PixelTile &band) override {
    return m_sink.takeRows(m_band.data(), m_area.y + m_area.height - band.y - band.height,
                           band.height, int(m_bytesPerLine));
  }
  void tileDone(int done, int total) override { m_sink.tileDone(done, total); }

private:
  PoOffscreenRenderer::BandSink &m_sink;
  PixelTile m_area;
  std::ptrdiff_t m_bytesPerLine;
  std::vector<unsigned char> m_band;
};

// The order tiles are drawn in: bands (rows of tiles) from the top, each
// band's tiles from the left, so that a band is whole before the next one
// starts.
std::vector<std::size_t> topBandFirst(const std::vector<PixelTile> &tiles);

// Reads drawn tiles, in the order above, into their bands and hands each
// band on once its last tile is in.
class BandFiller {
public:
  BandFiller(GLTileTarget &target, BandTarget &output, const PixelTile &area, int tiles)
      : m_target(target), m_output(output), m_area(area), m_total(tiles) {}
  // Reads `tile`, just drawn as `drawn` (the tile and its margin). False,
  // with the reason in `failure`, when its band has no room or the band's
  // taker stops the render.
  bool read(const PixelTile &tile, const PixelTile &drawn, std::string &failure);

private:
  GLTileTarget &m_target;
  BandTarget &m_output;
  PixelTile m_area;
  int m_total;
  int m_finished = 0;
  PixelTile m_band{};
  unsigned char *m_top = nullptr;
  std::ptrdiff_t m_bytesPerLine = 0;
};

#endif
