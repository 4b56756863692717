#pragma once
// The picture of the instrument's front display: eight seven-segment digits
// with their decimal points and the three lamps AL1, AL2 and HOLD, or the
// link error text instead. One picture lives for the whole run and is
// redrawn in place.
//
// The acquisition worker draws readings while the main thread may clear the
// picture, so every access takes the lock; the picture control is handed a
// snapshot, never the picture itself.

#include <mutex>
#include <string>

#include <QFont>
#include <QImage>

#include "instrument_reply.h"

namespace vexilor {

class DisplayImage {
  public:
    static constexpr int Width = 350;
    static constexpr int Height = 150;

    // Black, 24-bit colour. Needs the application object: the font of
    // the labels is chosen here, on the main thread.
    DisplayImage();

    // The lamps and digits of reply, or only linkError's text when it is not
    // empty.
    void DrawReading(const InstrumentReply& reply, const std::string& linkError);
    // All black.
    void ClearDisplay();

    // A deep copy of the picture as it is between two drawings.
    QImage snapshot() const;

  private:
    mutable std::mutex mutex_;
    QImage image_;
    QFont font_;
};

}  // namespace vexilor
