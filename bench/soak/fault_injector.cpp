#include "fault_injector.h"

#include <array>
#include <chrono>

namespace vexilor::soak {
namespace {

std::time_t Now() {
    return std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
}

}  // namespace

bool FaultSpan::stretchesCycles() const {
    return command == "fault silent" || command.rfind("fault short", 0) == 0;
}

FaultInjector::FaultInjector(test::SimProcess& sim, unsigned seed) : sim_(sim), random_(seed) {}

FaultInjector::~FaultInjector() {
    stop();
}

void FaultInjector::start() {
    thread_ = std::thread([this] { run(); });
}

void FaultInjector::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool FaultInjector::pause(int seconds) {
    std::unique_lock lock(mutex_);
    return !wake_.wait_for(lock, std::chrono::seconds(seconds), [this] { return stopping_; });
}

std::string FaultInjector::pickFault() {
    // An unplugged device comes up twice as often as each line fault.
    static constexpr std::array<const char*, 7> kinds = {
        "fault silent", "fault checksum", "fault short ", "fault absent",
        "fault noise",  "vanish",         "vanish"};
    std::string kind =
        kinds[std::uniform_int_distribution<std::size_t>(0, kinds.size() - 1)(random_)];
    if (kind.back() == ' ') {
        kind.append(std::to_string(std::uniform_int_distribution<int>(0, 5)(random_)));
    }
    return kind;
}

FaultSpan FaultInjector::inject(const std::string& command, int holdSeconds) {
    FaultSpan span;
    span.command = command;
    span.begin = Now();
    span.ok = sim_.command(command);
    pause(holdSeconds);  // a stop cuts the fault short; it is still undone
    const bool undone = sim_.command(command == "vanish" ? "return" : "fault none");
    span.end = Now();
    span.ok = span.ok && undone;
    return span;
}

void FaultInjector::run() {
    std::uniform_int_distribution<int> quiet(3, 6);
    std::uniform_int_distribution<int> hold(3, 8);
    // Long enough, now and then, for whole cycles of timed-out reads.
    std::uniform_int_distribution<int> silentHold(3, 16);
    while (pause(quiet(random_))) {
        const std::string fault = pickFault();
        spans_.push_back(
            inject(fault, fault == "fault silent" ? silentHold(random_) : hold(random_)));
    }
}

}  // namespace vexilor::soak
