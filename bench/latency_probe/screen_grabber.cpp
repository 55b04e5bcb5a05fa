#include "screen_grabber.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstring>
#include <stdexcept>

namespace vorn::probe {

ScreenGrabber::ScreenGrabber(Display* display, int x, int y, int width, int height)
    : m_display(display), m_x(x), m_y(y), m_width(width), m_height(height) {
    const int screen = DefaultScreen(display);
    m_image =
        XShmCreateImage(display, DefaultVisual(display, screen),
                        static_cast<unsigned>(DefaultDepth(display, screen)), ZPixmap, nullptr,
                        &m_segment, static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (m_image == nullptr) {
        throw std::runtime_error("cannot create a shared-memory image");
    }
    const auto bytes = static_cast<std::size_t>(m_image->bytes_per_line) * height;
    m_segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    m_segment.shmaddr = m_image->data = static_cast<char*>(shmat(m_segment.shmid, nullptr, 0));
    m_segment.readOnly = False;
    if (m_segment.shmid < 0 || m_segment.shmaddr == reinterpret_cast<char*>(-1) ||
        !XShmAttach(display, &m_segment)) {
        throw std::runtime_error("cannot attach shared memory to the X server");
    }
    XSync(display, False);
    shmctl(m_segment.shmid, IPC_RMID, nullptr);  // freed once both sides detach
    m_previous.assign(bytes, 0);
}

ScreenGrabber::~ScreenGrabber() {
    XShmDetach(m_display, &m_segment);
    XSync(m_display, False);
    m_image->data = nullptr;
    XDestroyImage(m_image);
    shmdt(m_segment.shmaddr);
}

bool ScreenGrabber::grab() {
    XShmGetImage(m_display, DefaultRootWindow(m_display), m_image, m_x, m_y, AllPlanes);
    const std::size_t bytes = m_previous.size();
    if (std::memcmp(m_previous.data(), m_image->data, bytes) == 0) {
        return false;
    }
    std::memcpy(m_previous.data(), m_image->data, bytes);
    return true;
}

std::uint32_t ScreenGrabber::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return 0;
    }
    return static_cast<std::uint32_t>(XGetPixel(m_image, x, y)) & 0xffffffU;
}

}  // namespace vorn::probe
