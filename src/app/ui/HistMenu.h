// The recent-copies menu: shows a THistoryList as numbered menu items under a
// target item, and keeps the list in its own section of the settings file.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/HistoryList.h"

class QAction;
class QMenu;

namespace tintorb {

class EHistoryMenuError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using THistorySelectedEvent = std::function<void(QObject* sender, const QString& fileName)>;

class THistoryMenu : public QObject {
  Q_OBJECT

 public:
  // Where the entries go, decided when the target is set.
  enum class TPlacement {
    TopLevel,   // target is a menu of a menu bar: appended, after a separator if it has items
    Separator,  // target is a separator: inserted after it, followed by a new separator
    Submenu,    // any other item: appended to its submenu
  };

  explicit THistoryMenu(QObject* parent = nullptr);
  // Saves the list when still active.
  ~THistoryMenu() override;

  bool Active() const { return active_; }
  // Becoming active loads the list and shows it; without a target the
  // component stays inactive and EHistoryMenuError is thrown. Becoming
  // inactive saves the list and removes the items.
  void SetActive(bool active);

  int HistoryNum() const { return historyNum_; }
  void SetHistoryNum(int n);  // capped at MaxCount; rebuilds at once

  QAction* TargetMenuItem() const { return target_; }
  // nullptr makes the component inactive. A plain item gets a submenu.
  void SetTargetMenuItem(QAction* item);
  void SetTargetMenuItem(QMenu* menu);
  TPlacement Placement() const { return placement_; }

  const QString& KeyName() const { return keyName_; }
  void SetKeyName(const QString& name) { keyName_ = name; }
  const QString& SectionName() const { return sectionName_; }
  void SetSectionName(const QString& name) { sectionName_ = name; }
  // The settings file the list is kept in; DefaultIniPath() unless set.
  const std::string& IniFileName() const { return iniFileName_; }
  void SetIniFileName(const std::string& path) { iniFileName_ = path; }

  void SetOnHistorySelected(THistorySelectedEvent handler) { onSelected_ = std::move(handler); }

  const THistoryList& List() const { return list_; }
  // Empty text is ignored; otherwise the list's add and a rebuild.
  void AddHistory(const QString& text);
  void LoadHistory();
  void SaveHistory();  // throws EFileWriteError
  // Replaces the items created last time; shows nothing while inactive.
  void RebuildMenu();
  // The items this component shows now, separators included.
  std::vector<QAction*> CreatedItems() const;

 signals:
  void historySelected(const QString& text);

 private:
  void ItemTriggered(QAction* item);
  void RemoveItems();
  void Rebuild();
  QMenu* TargetSubmenu();
  static QMenu* ParentMenu(QAction* item);

  THistoryList list_;
  bool active_ = false;
  int historyNum_ = 8;
  QPointer<QAction> target_;
  QMetaObject::Connection targetDestroyed_;
  QPointer<QMenu> ownSubmenu_;  // the submenu made for a plain target item
  TPlacement placement_ = TPlacement::Submenu;
  QString keyName_;
  QString sectionName_ = QStringLiteral("History");
  std::string iniFileName_;
  THistorySelectedEvent onSelected_;
  std::vector<QPointer<QAction>> created_;
  int inClick_ = 0;  // while > 0 rebuilds wait for the event loop
  bool rebuildPending_ = false;
};

}  // namespace tintorb
