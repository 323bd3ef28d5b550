// Finished row images by key, least recently used dropped first once the
// images pass a byte budget. Lists whose rows are slow to draw (each in a
// different face) keep them here so scrolling only copies pixels.
#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <list>

namespace tintorb {

class TRowImageCache {
 public:
  explicit TRowImageCache(qint64 budgetBytes = 16 << 20) : budget_(budgetBytes) {}

  // The image for `key` (now the most recently used), or nullptr.
  const QImage* Find(const QString& key);
  bool Contains(const QString& key) const { return index_.contains(key); }
  // Stores (or replaces) the image and drops the oldest ones over budget; the
  // newest image is always kept, even when it alone is over.
  const QImage& Insert(const QString& key, QImage image);
  void Clear();

  qint64 Budget() const { return budget_; }
  void SetBudget(qint64 bytes);
  qint64 Bytes() const { return bytes_; }
  int Count() const { return int(index_.size()); }

 private:
  struct Entry {
    QString key;
    QImage image;
  };
  void Trim();

  std::list<Entry> order_;  // most recently used first
  QHash<QString, std::list<Entry>::iterator> index_;
  qint64 budget_;
  qint64 bytes_ = 0;
};

}  // namespace tintorb
