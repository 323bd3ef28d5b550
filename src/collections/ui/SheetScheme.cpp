#include "collections/ui/SheetScheme.h"

#include <QPainter>
#include <QVBoxLayout>

#include "app/ui/ColorVisionDialogs.h"
#include "app/ui/ColorVisionView.h"
#include "collections/Favorites.h"
#include "platform/Desktop.h"

namespace tintorb {

namespace {

const char* const kHtmlFilter = "HTML|*.html;*.htm|すべてのファイル|*.*";
const char* const kActFilter = "Adobe Color Table File|*.act|すべてのファイル|*.*";

}  // namespace

TfrmScheme::TfrmScheme(TSheetHost& host, QWidget* parent)
    : TColorSheetForm(host, PageCaption(), parent) {
  setObjectName("frmScheme");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  ListBox1 = new TColorListBox(this);
  ListBox1->setObjectName("ListBox1");
  ListBox1->SetItemHeight(20);
  layout->addWidget(ListBox1);
  ListBox1->OnDrawItem = [this](QPainter& p, const QRect& r, int i, TOwnerDrawState s) {
    ListBox1DrawItem(p, r, i, s);
  };
  ListBox1->OnClick = [this] { ListBox1Click(); };

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  auto action = [this](const char* name, const char* caption) {
    auto* a = new QAction(QString::fromUtf8(caption), this);
    a->setObjectName(name);
    PopupMenu1->addAction(a);
    return a;
  };

  actRefresh = action("actRefresh", "更新(&U)");
  actRefresh->setShortcut(QKeySequence(Qt::Key_F5));
  // Live whenever this page is the one shown.
  actRefresh->setShortcutContext(Qt::WindowShortcut);
  addAction(actRefresh);
  connect(actRefresh, &QAction::triggered, this, [this] { actRefreshExecute(); });

  for (const auto& info : SchemeTemplates()) {
    // Separators before the first harmony, the random pair, the gradients.
    if (info.Template == TSchemeTemplate::Dyards || info.Template == TSchemeTemplate::RandomHue ||
        info.Template == TSchemeTemplate::GradHue)
      PopupMenu1->addSeparator();
    QAction* a = action((std::string("actTemplate") + info.Name).c_str(), info.Caption);
    FTemplateActions[info.Template] = a;
    const TSchemeTemplate t = info.Template;
    if (info.CountTitle)
      connect(a, &QAction::triggered, this, [this, t] { RunCountedTemplate(t); });
    else
      connect(a, &QAction::triggered, this, [this, a] { actTemplateDyardsExecute(a); });
  }

  PopupMenu1->addSeparator();
  actMakeFavoriteGroup = action("actMakeFavoriteGroup", "お気に入りに登録(&F)");
  actExportHTML = action("actExportHTML", "HTMLに書き出し(&H)...");
  actExportACT = action("actExportACT", "ACTに書き出し(&A)...");
  connect(actMakeFavoriteGroup, &QAction::triggered, this,
          [this] { actMakeFavoriteGroupExecute(); });
  connect(actExportHTML, &QAction::triggered, this, [this] { actExportHTMLExecute(); });
  connect(actExportACT, &QAction::triggered, this, [this] { actExportACTExecute(); });
  PopupMenu1->addSeparator();
  actConfusablePairs = action("actConfusablePairs", "色覚で見分けにくい組...");
  connect(actConfusablePairs, &QAction::triggered, this, [this] {
    std::vector<TColor> colors;
    for (int i = 0; i < FScheme.Count(); ++i) colors.push_back(FScheme.Items(i).Color);
    ShowConfusablePairs(this, QString::fromUtf8("スキーム"), colors, ShownPercent());
  });

  ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListBox1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMenu1->popup(ListBox1->mapToGlobal(pos)); });
}

QIcon TfrmScheme::PageIcon() {
  // Three swatches a third of a turn apart.
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setPen(QColor(64, 64, 64));
  p.setBrush(QColor(230, 60, 60));
  p.drawRect(0, 0, 7, 7);
  p.setBrush(QColor(60, 200, 60));
  p.drawRect(8, 0, 7, 7);
  p.setBrush(QColor(60, 90, 230));
  p.drawRect(4, 8, 7, 7);
  return QIcon(pm);
}

void TfrmScheme::ColorChanged(int kind) {
  // The background and becoming active leave the list until the next refresh.
  if (kind == 0) actRefresh->trigger();
}

void TfrmScheme::actRefreshExecute() {
  FScheme.Recalculate(GetForeColor(), GetBackColor());
  ListBox1->Repaint();
}

void TfrmScheme::actTemplateDyardsExecute(QAction* sender) {
  for (const auto& [t, a] : FTemplateActions) {
    if (a != sender) continue;
    ApplySchemeTemplate(FScheme, t);
    AfterTemplate();
    return;
  }
}

bool TfrmScheme::AskCount(const QString& title, int& count) {
  std::string text = kSchemeCountDefault;
  if (!Dialogs().InputBox(title.toStdString(), kSchemeCountPrompt, text)) return false;
  count = ParseSchemeCount(text);
  if (count <= 0) return false;
  if (count > kMaxSchemeCount) {
    Dialogs().Warning(kMsgSchemeCountTooLarge);
    return false;
  }
  return true;
}

void TfrmScheme::RunCountedTemplate(TSchemeTemplate t) {
  int count = 0;
  if (!AskCount(QString::fromUtf8(SchemeTemplateInfo(t).CountTitle), count)) return;
  if (!ApplySchemeTemplate(FScheme, t, count)) return;
  AfterTemplate();
}

void TfrmScheme::AfterTemplate() {
  ListBox1->SetItemIndex(-1);
  ListBox1->SetCount(FScheme.Count());
  actRefresh->trigger();
}

void TfrmScheme::ListBox1Click() {
  const int i = ListBox1->ItemIndex();
  if (i < 0 || i >= FScheme.Count()) return;
  TColor c = FScheme.Items(i).Color;
  if (IsWebSafe()) c = WebSafeColor(c);
  SetForeColor(c);
}

void TfrmScheme::ListBox1DrawItem(QPainter& canvas, const QRect& rect, int index,
                                  TOwnerDrawState state) {
  if (index < 0 || index >= FScheme.Count()) return;
  DrawColorItem(canvas, rect, FScheme.Items(index).Color, QString(), state, ListBox1->font());
}

void TfrmScheme::actMakeFavoriteGroupExecute() {
  std::string name = "新しいグループ";
  if (!InputGroupName("グループの新規作成", "グループ名を入力して下さい", name)) return;
  TFavorites& favorites = GetFavorites();
  const int index = favorites.AddGroup(name);  // shows its own warning when refused
  if (index < 0) return;
  TNamedColorList& group = favorites.Group(index);
  for (int i = 0; i < FScheme.Count(); ++i) group.Add(ColorToHex(FScheme.Items(i).Color), "");
  NotifyFavoritesChanged();
}

std::string TfrmScheme::AskExportFile(const char* ext, const char* filter, bool& ok) {
  TSaveFileRequest request;
  request.defaultExt = ext;
  request.filter = filter;
  request.overwritePrompt = true;
  request.fileName = ProposedExportName(FSaveFileName, ext);
  const auto file = Dialogs().SaveFile(request);
  ok = file.has_value();
  if (ok) FSaveFileName = *file;
  return file.value_or("");
}

void TfrmScheme::actExportHTMLExecute() {
  bool ok = false;
  const std::string file = AskExportFile("html", kHtmlFilter, ok);
  if (!ok) return;
  TNamedColorList list;  // released on every way out
  for (int i = 0; i < FScheme.Count(); ++i) list.Add(ColorToHex(FScheme.Items(i).Color), "");
  THTMLTableOptions options;
  options.Title = "";
  options.SampleText = GetPreviewText().toStdString();
  options.SampleBackColor = GetBackColor();
  options.FileName = file;
  try {
    list.SaveToHTML(options);
  } catch (const std::exception& e) {
    Dialogs().Error(e.what());
  }
}

void TfrmScheme::actExportACTExecute() {
  bool ok = false;
  const std::string file = AskExportFile("act", kActFilter, ok);
  if (!ok) return;
  TNamedColorList list;
  for (int i = 0; i < FScheme.Count(); ++i) list.Add(ColorToHex(FScheme.Items(i).Color), "");
  try {
    list.SaveToACT(file);
  } catch (const std::exception& e) {
    Dialogs().Error(e.what());
  }
}

}  // namespace tintorb
