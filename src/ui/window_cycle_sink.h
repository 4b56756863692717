#pragma once
// Carries a worker's cycle results over to the main thread. Each worker gets
// a sink stamped with the generation current at its start; stopping a worker
// moves the generation on, so whatever it posted and the main thread has not
// yet run is dropped, and nothing of a stopped worker reaches a control.

#include <QObject>
#include <memory>

#include "controls.h"
#include "cycle_sink.h"
#include "display_image.h"

namespace vexilor {

// Lives on the main thread; the target of every posted update.
class CycleRouter : public QObject {
  public:
    CycleRouter(Controls& controls, DisplayImage& display)
        : controls_(controls), display_(display) {}

    // Main thread only.
    int generation() const { return generation_; }
    void nextGeneration() { ++generation_; }

    std::unique_ptr<CycleSink> makeSink();

    Controls& controls() { return controls_; }
    DisplayImage& display() { return display_; }

  private:
    Controls& controls_;
    DisplayImage& display_;
    int generation_ = 0;
};

}  // namespace vexilor
