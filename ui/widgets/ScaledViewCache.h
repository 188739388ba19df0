// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <thread>

namespace vantrel {

struct TViewBitmap;

/// The smooth reduced copy of the view bitmap for one view size. Making it takes a few
/// hundred milliseconds for a large scan, so it is made on a thread of its own once the
/// requests for a size have settled; the view draws directly until it is ready.
class TScaledViewCache : public QObject {
    Q_OBJECT
public:
    explicit TScaledViewCache(QObject* parent = nullptr);
    ~TScaledViewCache() override;

    /// The copy of bitmap `serial` at `size`, or null while there is none.
    [[nodiscard]] const QImage* Find(uint64_t serial, QSize size) const;
    /// Asks for the copy of this bitmap at this size.
    void Request(std::shared_ptr<const TViewBitmap> bitmap, uint64_t serial, QSize size);
    /// Takes the copy of bitmap `serial` made elsewhere, at its size.
    void Install(uint64_t serial, QImage image);
    /// Drops the copy and any wish (no image any more).
    void Clear();
    /// Milliseconds the requests must rest before the work starts.
    static constexpr int SettleMs = 120;

signals:
    void Ready();

private:
    void Start();
    void Finished(uint64_t serial, QSize size, QImage image);

    QTimer FSettle;
    std::thread FThread;
    bool FWorking = false;
    std::shared_ptr<const TViewBitmap> FWantBitmap;
    uint64_t FWantSerial = 0;
    QSize FWantSize;
    uint64_t FHaveSerial = 0;
    QSize FHaveSize;
    QImage FImage;
};

} // namespace vantrel
