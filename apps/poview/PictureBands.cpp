#include "PictureBands.h"

#include "PictureFile.h"
#include "StreamOutput.h"

#include <png.h>
#include <zlib.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <vector>

namespace {

// Collects small writes into large ones.
class FdBuffer {
public:
  explicit FdBuffer(int fd) : m_fd(fd) { m_bytes.reserve(kSize); }
  bool write(const unsigned char *data, std::size_t size) {
    if (m_bytes.size() + size > kSize && !flush()) return false;
    if (size >= kSize) return writeAll(m_fd, data, size);
    m_bytes.insert(m_bytes.end(), data, data + size);
    return true;
  }
  bool flush() {
    const bool written = writeAll(m_fd, m_bytes.data(), m_bytes.size());
    m_bytes.clear();
    return written;
  }

private:
  static constexpr std::size_t kSize = 1 << 20;
  int m_fd;
  std::vector<unsigned char> m_bytes;
};

// Binary PPM: a short header, then the rows as they are.
class PpmEncoder : public BandEncoder {
public:
  PpmEncoder(int fd, int width, int height) : m_out(fd), m_rowBytes(std::size_t(width) * 3) {
    char header[64];
    const int length = std::snprintf(header, sizeof header, "P6\n%d %d\n255\n", width, height);
    m_ok = m_out.write(reinterpret_cast<const unsigned char *>(header), std::size_t(length));
  }
  bool takeRows(const unsigned char *rows, int, int count, int bytesPerLine) override {
    for (int row = 0; m_ok && row < count; ++row)
      m_ok = m_out.write(rows + std::ptrdiff_t(row) * bytesPerLine, m_rowBytes);
    return m_ok;
  }
  bool finish() override { return m_ok && m_out.flush(); }

private:
  FdBuffer m_out;
  std::size_t m_rowBytes;
  bool m_ok;
};

// PNG through libpng, which takes rows one by one and compresses as they
// come. libpng reports errors by a long jump back into the function that
// called it; each such function sets its own jump point and keeps no object
// with a destructor alive across the calls.
class PngEncoder : public BandEncoder {
public:
  PngEncoder(int fd, int width, int height) : m_out(fd) {
    m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, &PngEncoder::onError,
                                    &PngEncoder::onWarning);
    if (m_png) m_info = png_create_info_struct(m_png);
    m_ok = m_png && m_info && start(width, height);
  }
  ~PngEncoder() override { png_destroy_write_struct(&m_png, &m_info); }
  PngEncoder(const PngEncoder &) = delete;
  PngEncoder &operator=(const PngEncoder &) = delete;

  bool takeRows(const unsigned char *rows, int, int count, int bytesPerLine) override {
    if (!m_ok) return false;
    if (setjmp(png_jmpbuf(m_png))) return m_ok = false;
    for (int row = 0; row < count; ++row)
      png_write_row(m_png, rows + std::ptrdiff_t(row) * bytesPerLine);
    return true;
  }
  bool finish() override {
    if (!m_ok) return false;
    if (setjmp(png_jmpbuf(m_png))) return m_ok = false;
    png_write_end(m_png, nullptr);
    return m_ok = m_out.flush();
  }

private:
  bool start(int width, int height) {
    if (setjmp(png_jmpbuf(m_png))) return false;
    png_set_write_fn(m_png, this, &PngEncoder::onWrite, &PngEncoder::onFlush);
    png_set_user_limits(m_png, 0x7fffffff, 0x7fffffff);
    png_set_IHDR(m_png, m_info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // A poster's time goes mostly into compression: one filter and runs
    // (of the rows' differences) compress a rendered scene's flat and
    // smoothly shaded areas about as small as zlib's full search, in half
    // the time.
    png_set_filter(m_png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_strategy(m_png, Z_RLE);
    png_write_info(m_png, m_info);
    return true;
  }
  static void onWrite(png_structp png, png_bytep data, png_size_t size) {
    auto *self = static_cast<PngEncoder *>(png_get_io_ptr(png));
    if (!self->m_out.write(data, size)) png_error(png, "write");
  }
  static void onFlush(png_structp) {}
  // A failed write leaves errno to say why; the encoder's own faults (none
  // expected for rows it is given whole) say nothing more.
  static void onError(png_structp png, png_const_charp) {
    const int error = errno;
    auto *self = static_cast<PngEncoder *>(png_get_error_ptr(png));
    self->m_ok = false;
    errno = error ? error : EIO;
    std::longjmp(png_jmpbuf(png), 1);
  }
  static void onWarning(png_structp, png_const_charp) {}

  FdBuffer m_out;
  png_structp m_png = nullptr;
  png_infop m_info = nullptr;
  bool m_ok = false;
};

} // namespace

bool isBandedFormat(const std::string &output) {
  const std::string format = pictureFormatOf(output);
  return format == "png" || format == "ppm";
}

std::unique_ptr<BandEncoder> BandEncoder::forOutput(const std::string &output, int fd, int width,
                                                    int height) {
  if (pictureFormatOf(output) == "ppm")
    return std::unique_ptr<BandEncoder>(new PpmEncoder(fd, width, height));
  return std::unique_ptr<BandEncoder>(new PngEncoder(fd, width, height));
}
