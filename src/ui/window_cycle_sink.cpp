#include "window_cycle_sink.h"

#include <QMetaObject>
#include <QPointer>

#include "logging_step.h"

namespace vexilor {
namespace {

class WindowCycleSink : public CycleSink {
  public:
    WindowCycleSink(CycleRouter& router, int generation)
        : router_(&router), display_(router.display()), generation_(generation) {}

    void showMaxMin(const std::string& maxLabel, const std::string& minLabel) override {
        post([maxLabel, minLabel](Controls& controls) {
            controls.setText(ControlId::MaxLabel, maxLabel);
            controls.setText(ControlId::MinLabel, minLabel);
        });
    }

    void drawReading(const InstrumentReply& reply, const std::string& linkError) override {
        // Drawn here on the worker; the picture control gets a copy.
        display_.DrawReading(reply, linkError);
        const QImage picture = display_.snapshot();
        post([picture](Controls& controls) { controls.showImage(ControlId::Picture, picture); });
    }

    void logLine(const std::string& logLine, std::int32_t maxRecords) override {
        post([logLine, maxRecords](Controls& controls) {
            if (!controls.ticked(ControlId::DataLoggerCheck)) {
                return;
            }
            const TrimRange trim = RowsToTrim(maxRecords, controls.rowCount(ControlId::LogTable));
            if (trim.count > 0) {
                controls.removeRows(ControlId::LogTable, trim.first, trim.count);
            }
            controls.addRow(ControlId::LogTable, logLine, 0);
        });
    }

  private:
    template <typename Update>
    void post(Update update) {
        const int generation = generation_;
        QPointer<CycleRouter> router = router_;
        QMetaObject::invokeMethod(
            router_,
            [router, generation, update] {
                if (router && router->generation() == generation) {
                    update(router->controls());
                }
            },
            Qt::QueuedConnection);
    }

    CycleRouter* router_;
    DisplayImage& display_;
    const int generation_;
};

}  // namespace

std::unique_ptr<CycleSink> CycleRouter::makeSink() {
    return std::make_unique<WindowCycleSink>(*this, generation_);
}

}  // namespace vexilor
