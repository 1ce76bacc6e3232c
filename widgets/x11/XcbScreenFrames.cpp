// Frames kept on the X server: one pixmap for each picture, shown by a copy
// into the window. Nothing is waited for when showing one.

#include "widgets/ScreenFrames.h"

#include <QGuiApplication>
#include <QSysInfo>
#include <QWidget>
#include <array>
#include <cstdlib>
#include <xcb/xcb.h>

namespace qv {
namespace {

class XcbScreenFrames final : public ScreenFrames {
public:
    XcbScreenFrames(xcb_connection_t* connection, xcb_window_t window, std::uint8_t depth)
        : m_conn(connection), m_window(window), m_depth(depth) {
        m_gc = xcb_generate_id(m_conn);
        const std::uint32_t noExposures = 0;
        xcb_create_gc(m_conn, m_gc, m_window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    }

    ~XcbScreenFrames() override {
        for (const xcb_pixmap_t pixmap : m_pixmaps)
            if (pixmap)
                xcb_free_pixmap(m_conn, pixmap);
        xcb_free_gc(m_conn, m_gc);
        xcb_flush(m_conn);
    }

    bool keep(int index, const QImage& picture) override {
        // X sizes and positions are 16 bits.
        if (index < 0 || index > 1 || picture.isNull() || picture.width() > 32767 ||
            picture.height() > 32767)
            return false;
        const QImage pixels = picture.convertToFormat(
            m_depth == 32 ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
        auto& pixmap = m_pixmaps[std::size_t(index)];
        if (pixmap && m_sizes[std::size_t(index)] != pixels.size()) {
            xcb_free_pixmap(m_conn, pixmap);
            pixmap = 0;
        }
        if (!pixmap) {
            pixmap = xcb_generate_id(m_conn);
            if (!succeeded(xcb_create_pixmap_checked(m_conn, m_depth, pixmap, m_window,
                                                     std::uint16_t(pixels.width()),
                                                     std::uint16_t(pixels.height())))) {
                pixmap = 0;
                return false;
            }
            m_sizes[std::size_t(index)] = pixels.size();
        }
        // In bands that each fit one request.
        const std::uint32_t rowBytes = std::uint32_t(pixels.width()) * 4;
        const std::uint32_t maxBytes = xcb_get_maximum_request_length(m_conn) * 4 - 64;
        const int band = std::max(1, int(maxBytes / rowBytes));
        xcb_void_cookie_t last{};
        for (int y = 0; y < pixels.height(); y += band) {
            const int rows = std::min(band, pixels.height() - y);
            last = xcb_put_image_checked(m_conn, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, m_gc,
                                         std::uint16_t(pixels.width()), std::uint16_t(rows), 0,
                                         std::int16_t(y), 0, m_depth,
                                         rowBytes * std::uint32_t(rows), pixels.constScanLine(y));
            if (y + band < pixels.height())
                xcb_discard_reply(m_conn, last.sequence);
        }
        return succeeded(last);
    }

    bool show(int index, QPoint at) override {
        if (index < 0 || index > 1 || !m_pixmaps[std::size_t(index)])
            return false;
        const QSize size = m_sizes[std::size_t(index)];
        xcb_copy_area(m_conn, m_pixmaps[std::size_t(index)], m_window, m_gc, 0, 0,
                      std::int16_t(at.x()), std::int16_t(at.y()), std::uint16_t(size.width()),
                      std::uint16_t(size.height()));
        xcb_flush(m_conn);
        return true;
    }

private:
    bool succeeded(xcb_void_cookie_t cookie) {
        xcb_generic_error_t* error = xcb_request_check(m_conn, cookie);
        const bool ok = error == nullptr;
        std::free(error);
        return ok;
    }

    xcb_connection_t* m_conn;
    xcb_window_t m_window;
    std::uint8_t m_depth;
    xcb_gcontext_t m_gc = 0;
    std::array<xcb_pixmap_t, 2> m_pixmaps{};
    std::array<QSize, 2> m_sizes{};
};

// Pixels go over as the machine holds QImage's 32-bit formats: the server must
// take 32 bits a pixel for the window's depth, in the machine's byte order.
bool serverTakesOurPixels(xcb_connection_t* c, std::uint8_t depth) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const bool littleEndian = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
    if ((setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) != littleEndian)
        return false;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
        if (it.data->depth == depth)
            return it.data->bits_per_pixel == 32 && it.data->scanline_pad == 32;
    return false;
}

} // namespace

std::unique_ptr<ScreenFrames> screenFramesFor(QWidget* window) {
    if (!window || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return nullptr;
    xcb_connection_t* c = x11->connection();
    const auto id = static_cast<xcb_window_t>(window->window()->winId());
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr);
    if (!geometry)
        return nullptr;
    const std::uint8_t depth = geometry->depth;
    std::free(geometry);
    if ((depth != 24 && depth != 32) || !serverTakesOurPixels(c, depth))
        return nullptr;
    return std::make_unique<XcbScreenFrames>(c, id, depth);
}

} // namespace qv
