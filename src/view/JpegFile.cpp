#include "view/JpegFile.h"

#include "exchange/FileError.h"
#include "exchange/SafeFile.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace sw::gui {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// The library's default handler ends the process; jump back to the caller instead.
void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void SilentMessage(j_common_ptr /*cinfo*/) {}

// Plain C-style body: nothing with a destructor lives between setjmp and longjmp.
// Returns false with `message` filled when the encoder fails.
bool Compress(const QImage& image, unsigned char** out, unsigned long* outSize, unsigned char* row,
              char* message, std::size_t messageSize) {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = SilentMessage;
    err.message[0] = '\0';
    if (setjmp(err.jump) != 0) {
        std::snprintf(message, messageSize, "%s", err.message);
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, out, outSize);
    cinfo.image_width = static_cast<JDIMENSION>(image.width());
    cinfo.image_height = static_cast<JDIMENSION>(image.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo); // baseline Huffman coding, YCbCr: full colour, not progressive
    jpeg_set_quality(&cinfo, LayoutJpegQuality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const int width = image.width();
    while (cinfo.next_scanline < cinfo.image_height) {
        const auto* src = reinterpret_cast<const QRgb*>(
            image.constScanLine(static_cast<int>(cinfo.next_scanline)));
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<unsigned char>(qRed(src[x]));
            row[3 * x + 1] = static_cast<unsigned char>(qGreen(src[x]));
            row[3 * x + 2] = static_cast<unsigned char>(qBlue(src[x]));
        }
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

} // namespace

QByteArray EncodeLayoutJpeg(const QImage& image) {
    if (image.isNull()) {
        throw FileError("There is no picture to encode");
    }
    // The 32-bit pixel layout the row conversion reads.
    const QImage src =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    if (src.isNull()) {
        throw FileError("Not enough memory to encode the picture");
    }
    std::vector<unsigned char> row(static_cast<std::size_t>(src.width()) * 3);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = Compress(src, &buffer, &size, row.data(), message, sizeof message);
    QByteArray bytes;
    if (ok && buffer != nullptr) {
        bytes = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    }
    std::free(buffer); // the memory destination's buffer is the caller's to free
    if (!ok) {
        throw FileError(std::string("The JPEG encoder failed: ") + message);
    }
    return bytes;
}

void SaveLayoutAsJpeg(const QImage& image, const std::filesystem::path& path) {
    const QByteArray bytes = EncodeLayoutJpeg(image);
    ReplaceFileContents(path,
                        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                        WriteFailureText::Runtime);
}

} // namespace sw::gui
