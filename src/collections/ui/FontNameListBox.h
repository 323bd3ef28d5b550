// An owner-drawn list of the installed font family names, filtered by kind.
// Items are built from FontTable() the first time they are needed.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

#include "collections/FontTable.h"
#include "collections/ui/ColorListBox.h"

namespace tintorb {

enum class TFontIconPriority { fipTrueType, fipPrinter };

class TFontNameListBox : public TColorListBox {
  Q_OBJECT

 public:
  explicit TFontNameListBox(QWidget* parent = nullptr);

  TFontNameFilters CollectFilters() const { return list_.CollectFilters(); }
  void SetCollectFilters(TFontNameFilters f) { list_.SetCollectFilters(f); }
  TFontNameFilters ExclusiveFilters() const { return list_.ExclusiveFilters(); }
  void SetExclusiveFilters(TFontNameFilters f) { list_.SetExclusiveFilters(f); }
  QStringList VisibleFontNames() const;
  void SetVisibleFontNames(const QStringList& names);
  QStringList InvisibleFontNames() const;
  void SetInvisibleFontNames(const QStringList& names);

  QString Value() const;
  void SetValue(const QString& name);
  QWidget* ChangeControl() const { return changeControl_; }
  void SetChangeControl(QWidget* control);
  bool IconVisible() const { return iconVisible_; }
  void SetIconVisible(bool v);
  TFontIconPriority IconPriority() const { return iconPriority_; }
  void SetIconPriority(TFontIconPriority p);
  bool TextFontFace() const { return textFontFace_; }
  void SetTextFontFace(bool v);

  // Builds the items when there are none yet (the first enumeration).
  void EnsureItems();
  void RebuildItems(const std::vector<TFontEntry>* table = nullptr);
  int ItemCount();
  QString ItemName(int index);
  const TFontNameList& List() const { return list_; }

  // The selection changed (by a click or through Value).
  std::function<void()> OnClick;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Draw(QPainter& p, const QRect& rect, int index, TOwnerDrawState state);
  void SelectionChanged();
  void SyncFromList();

  TFontNameList list_;
  QPointer<QWidget> changeControl_;
  bool iconVisible_ = true;
  TFontIconPriority iconPriority_ = TFontIconPriority::fipTrueType;
  bool textFontFace_ = false;
};

}  // namespace tintorb
