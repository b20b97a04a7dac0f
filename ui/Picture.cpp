#include "Picture.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// libjpeg's default would end the process.
[[noreturn]] void onError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void quiet(j_common_ptr) {}

} // namespace

QImage decodeJpeg(const QByteArray& file)
{
    if (file.isEmpty())
        return {};
    std::vector<unsigned char> rgb;
    int width = 0;
    int height = 0;
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.output_message = quiet;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return {};
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(file.constData()),
                 static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    width = static_cast<int>(info.output_width);
    height = static_cast<int>(info.output_height);
    rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rgb.data() + static_cast<std::size_t>(info.output_scanline) * static_cast<std::size_t>(width) * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return QImage(rgb.data(), width, height, width * 3, QImage::Format_RGB888).copy();
}

QImage loadPicture(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (path.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive))
        return decodeJpeg(bytes);
    return QImage::fromData(bytes, "BMP");
}
