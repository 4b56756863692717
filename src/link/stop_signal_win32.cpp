// The stop signal as a manual-reset event: a request sets it, and it stays
// signalled for every wait on it until reset.

#include "stop_signal.h"
#include "win32_handle.h"

namespace vexilor {

struct StopSignal::Impl {
    win32::UniqueHandle event;
};

StopSignal::StopSignal() : impl_(std::make_unique<Impl>()) {
    impl_->event.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
}

StopSignal::~StopSignal() = default;

void StopSignal::request() {
    // The flag first: a waiter woken by the event must find it set.
    requested_.store(true, std::memory_order_release);
    if (impl_->event) {
        ::SetEvent(impl_->event.get());
    }
}

void StopSignal::reset() {
    if (impl_->event) {
        ::ResetEvent(impl_->event.get());
    }
    requested_.store(false, std::memory_order_release);
}

std::intptr_t StopSignal::nativeHandle() const {
    return reinterpret_cast<std::intptr_t>(impl_->event.get());
}

}  // namespace vexilor
