#include "BandOutput.h"

#include "GLTileTarget.h"
#include "PixelText.h"

std::vector<std::size_t> topBandFirst(const std::vector<PixelTile> &tiles) {
  // The tiles run along rows from the bottom.
  std::vector<std::size_t> order;
  order.reserve(tiles.size());
  for (std::size_t bandEnd = tiles.size(); bandEnd > 0;) {
    std::size_t bandStart = bandEnd - 1;
    while (bandStart > 0 && tiles[bandStart - 1].y == tiles[bandEnd - 1].y) --bandStart;
    for (std::size_t index = bandStart; index < bandEnd; ++index) order.push_back(index);
    bandEnd = bandStart;
  }
  return order;
}

bool BandFiller::read(const PixelTile &tile, const PixelTile &drawn, std::string &failure) {
  if (!m_top) {
    m_band = {m_area.x, tile.y, m_area.width, tile.height};
    m_top = m_output.topRowOf(m_band, m_bytesPerLine);
    if (!m_top) {
      failure = "cannot hold a band of " + sizeText(m_band.width, m_band.height) +
                " pixels in memory";
      return false;
    }
  }
  // GL's rows run up, the band's down: the tile's bottom row lies lowest in
  // the band.
  unsigned char *bottomRow = m_top + std::ptrdiff_t(m_band.height - 1) * m_bytesPerLine +
                             std::ptrdiff_t(tile.x - m_area.x) * 3;
  m_target.readTile(tile.x - drawn.x, tile.y - drawn.y, tile.width, tile.height, bottomRow,
                    -m_bytesPerLine);
  m_output.tileDone(++m_finished, m_total);
  if (tile.x + tile.width < m_area.x + m_area.width) return true;
  m_top = nullptr;
  if (m_output.bandDone(m_band)) return true;
  failure = "the band sink stopped the render";
  return false;
}
