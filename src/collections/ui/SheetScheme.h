// The scheme sheet: a template menu builds a TScheme, the list shows its
// colours, and a click makes one the foreground colour.
#pragma once

#include <QAction>
#include <QMenu>
#include <map>

#include "app/ui/ColorSheet.h"
#include "collections/Scheme.h"
#include "collections/ui/ColorListBox.h"

namespace tintorb {

class TfrmScheme : public TColorSheetForm {
  Q_OBJECT

 public:
  explicit TfrmScheme(TSheetHost& host, QWidget* parent = nullptr);

  void ColorChanged(int kind) override;
  // Toolbar caption and picture, known before the sheet is built.
  static QString PageCaption() { return QString::fromUtf8("スキーム"); }
  static QIcon PageIcon();
  QIcon SheetIcon() const override { return PageIcon(); }

  TScheme& Scheme() { return FScheme; }
  QAction* TemplateAction(TSchemeTemplate t) const { return FTemplateActions.at(t); }

  TColorListBox* ListBox1;
  QMenu* PopupMenu1;
  QAction* actRefresh;
  QAction* actMakeFavoriteGroup;
  QAction* actExportHTML;
  QAction* actExportACT;
  QAction* actConfusablePairs;

 private:
  void actRefreshExecute();
  void actTemplateDyardsExecute(QAction* sender);  // the seven fixed templates
  void RunCountedTemplate(TSchemeTemplate t);      // the counted ones
  bool AskCount(const QString& title, int& count);
  void AfterTemplate();
  void actMakeFavoriteGroupExecute();
  void actExportHTMLExecute();
  void actExportACTExecute();
  void ListBox1Click();
  void ListBox1DrawItem(QPainter& canvas, const QRect& rect, int index, TOwnerDrawState state);
  std::string AskExportFile(const char* ext, const char* filter, bool& ok);

  TScheme FScheme;
  std::map<TSchemeTemplate, QAction*> FTemplateActions;
  std::string FSaveFileName;  // SaveDialog1 keeps the last chosen name
};

}  // namespace tintorb
