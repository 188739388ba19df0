// SPDX-License-Identifier: MIT
#include "ui/widgets/ScaledViewCache.h"

#include "pipeline/kernels/ReduceView.h"
#include "pipeline/kernels/ViewBitmap.h"

namespace vantrel {

TScaledViewCache::TScaledViewCache(QObject* parent) : QObject(parent) {
    FSettle.setSingleShot(true);
    FSettle.setInterval(SettleMs);
    connect(&FSettle, &QTimer::timeout, this, [this] {
        if (!FWorking)
            Start();
    });
}

TScaledViewCache::~TScaledViewCache() {
    if (FThread.joinable())
        FThread.join();
}

const QImage* TScaledViewCache::Find(uint64_t serial, QSize size) const {
    if (FImage.isNull() || serial != FHaveSerial || size != FHaveSize)
        return nullptr;
    return &FImage;
}

void TScaledViewCache::Request(std::shared_ptr<const TViewBitmap> bitmap, uint64_t serial,
                               QSize size) {
    if (Find(serial, size) || size.isEmpty())
        return;
    if (serial == FWantSerial && size == FWantSize && FWantBitmap)
        return; // already on its way
    FWantBitmap = std::move(bitmap);
    FWantSerial = serial;
    FWantSize = size;
    FSettle.start();
}

void TScaledViewCache::Clear() {
    FSettle.stop();
    FWantBitmap.reset();
    FWantSerial = 0;
    FImage = QImage();
    FHaveSerial = 0;
}

void TScaledViewCache::Install(uint64_t serial, QImage image) {
    Clear();
    FHaveSize = image.size();
    FImage = std::move(image);
    FHaveSerial = serial;
}

void TScaledViewCache::Start() {
    if (!FWantBitmap)
        return;
    if (FThread.joinable())
        FThread.join();
    FWorking = true;
    std::shared_ptr<const TViewBitmap> bitmap = FWantBitmap;
    const uint64_t serial = FWantSerial;
    const QSize size = FWantSize;
    FThread = std::thread([this, bitmap, serial, size] {
        QImage image(size, QImage::Format_RGB32);
        if (!image.isNull())
            ReduceAreaAverage(*bitmap, size.width(), size.height(),
                              reinterpret_cast<uint32_t*>(image.bits()), image.bytesPerLine() / 4);
        QMetaObject::invokeMethod(
            this, [this, serial, size, image] { Finished(serial, size, image); },
            Qt::QueuedConnection);
    });
}

void TScaledViewCache::Finished(uint64_t serial, QSize size, QImage image) {
    FWorking = false;
    if (FThread.joinable())
        FThread.join();
    if (serial == FWantSerial && size == FWantSize && FWantBitmap) {
        FImage = std::move(image);
        FHaveSerial = serial;
        FHaveSize = size;
        FWantBitmap.reset(); // the copy is made; the bitmap need not be held for it
        if (!FImage.isNull())
            emit Ready(); // a failed allocation leaves the direct drawing, without retrying

    } else if (FWantBitmap && !FSettle.isActive()) {
        Start(); // the wish changed while this copy was made
    }
}

} // namespace vantrel
