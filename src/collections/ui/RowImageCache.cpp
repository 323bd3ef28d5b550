#include "collections/ui/RowImageCache.h"

namespace tintorb {

const QImage* TRowImageCache::Find(const QString& key) {
  auto it = index_.find(key);
  if (it == index_.end()) return nullptr;
  order_.splice(order_.begin(), order_, it.value());
  return &order_.front().image;
}

const QImage& TRowImageCache::Insert(const QString& key, QImage image) {
  auto it = index_.find(key);
  if (it != index_.end()) {
    bytes_ -= it.value()->image.sizeInBytes();
    order_.erase(it.value());
    index_.erase(it);
  }
  bytes_ += image.sizeInBytes();
  order_.push_front({key, std::move(image)});
  index_.insert(key, order_.begin());
  Trim();
  return order_.front().image;
}

void TRowImageCache::Clear() {
  order_.clear();
  index_.clear();
  bytes_ = 0;
}

void TRowImageCache::SetBudget(qint64 bytes) {
  budget_ = bytes;
  Trim();
}

void TRowImageCache::Trim() {
  while (bytes_ > budget_ && order_.size() > 1) {
    const Entry& last = order_.back();
    bytes_ -= last.image.sizeInBytes();
    index_.remove(last.key);
    order_.pop_back();
  }
}

}  // namespace tintorb
