#include "PictureMemory.h"

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>

namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;

void freePicture(void *memory) { std::free(memory); }

} // namespace

QImage newRgbPicture(int width, int height) {
  const std::size_t bytesPerLine = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
  const std::size_t bytes = bytesPerLine * std::size_t(height);
  if (width < 1 || height < 1 || bytesPerLine > std::size_t(INT32_MAX) || bytes < kHugePage)
    return QImage(width, height, QImage::Format_RGB888);
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void *memory = std::aligned_alloc(kHugePage, rounded);
  if (!memory) return QImage();
#ifdef MADV_HUGEPAGE
  ::madvise(memory, rounded, MADV_HUGEPAGE); // only advice: small pages work too
#endif
  QImage picture(static_cast<uchar *>(memory), width, height, int(bytesPerLine),
                 QImage::Format_RGB888, freePicture, memory);
  if (!picture.isNull()) return picture;
  // QImage refuses outside memory of a size it does not take; its own
  // allocation then answers as it always did.
  std::free(memory);
  return QImage(width, height, QImage::Format_RGB888);
}
