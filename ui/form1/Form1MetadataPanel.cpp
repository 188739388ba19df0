// SPDX-License-Identifier: MIT
// The metadata panel: the tag table of the file shown, above the image under a splitter that
// collapses it below 30 pixels; rows selected by dragging and copied as TAB-separated text.
// The rows and the clipboard texts are ui/logic/TagTable's.

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QSplitter>
#include <algorithm>

#include "ui/form1/Unit1.h"
#include "ui/logic/TagTable.h"
#include "ui/logic/settings/Settings.h"
#include "ui/widgets/TagListView.h"
#include "ui/widgets/Utf8Text.h"

namespace vantrel {

namespace {

// Row items remember how many cells their row has: the summary row has none, which a copy
// keeps (no trailing TABs).
constexpr int CellCountRole = Qt::UserRole + 1;

// The widest the names column grows to fit its longest name.
constexpr int MaxTagNameWidth = 480;

} // namespace

void TForm1::CreateMetadataPanel() {
    auto* list = static_cast<TTagListView*>(ListView1);
    list->setColumnCount(static_cast<int>(TagTableColumns.size()));
    Texts([list] {
        QStringList captions;
        for (const TTagTableColumn& c : TagTableColumns)
            captions << TextOf(c.Caption);
        list->setHeaderLabels(captions);
    });
    for (int i = 0; i < static_cast<int>(TagTableColumns.size()); ++i)
        if (TagTableColumns[size_t(i)].Width > 0)
            list->setColumnWidth(i, TagTableColumns[size_t(i)].Width);
    list->header()->setStretchLastSection(true); // "Расшифровка" takes the rest
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    // The selection stays visible while the list has no focus.
    QPalette pal = list->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    list->setPalette(pal);
    // Any height down to 1 pixel may be dragged to; below 30 the panel collapses (below).
    list->setMinimumHeight(1);

    list->OnMouseDown = [this](Qt::MouseButton b, const QPoint& p) { ListView1MouseDown(b, p); };
    list->OnMouseMove = [this](Qt::MouseButtons b, const QPoint& p) { ListView1MouseMove(b, p); };
    list->OnMouseUp = [this](Qt::MouseButton b) { ListView1MouseUp(b); };
    list->Selecting = [this] { return FSelecting; };

    connect(Splitter1, &QSplitter::splitterMoved, this, [this] {
        const int height = TagPanelHeight();
        if (height > 0 && height < MinListViewHeight)
            SetTagPanelHeight(0);
    });
    connect(N1, &QAction::triggered, this, &TForm1::CopyAllTags);
    connect(N2, &QAction::triggered, this, &TForm1::CopySelectedTags);
    SetClickHandler(btnTags, [this](QObject*) { btnTagsClick(); });
}

int TForm1::TagPanelHeight() const {
    return Splitter1->sizes().value(0);
}

bool TForm1::TagPanelShown() const {
    return TagPanelHeight() >= MinListViewHeight;
}

void TForm1::SetTagPanelHeight(int height) {
    const QList<int> sizes = Splitter1->sizes();
    int total = sizes.value(0) + sizes.value(1);
    if (total <= 0)
        total = Splitter1->height() - Splitter1->handleWidth();
    height = std::clamp(height, 0, std::max(total, 0));
    Splitter1->setSizes({height, std::max(total - height, 0)});
}

void TForm1::btnTagsClick() {
    if (TagPanelShown()) {
        ListViewHeight = TagPanelHeight();
        SetTagPanelHeight(0);
        return;
    }
    SetTagPanelHeight(ListViewHeight);
}

void TForm1::FillTagList(const std::vector<TTIFFTag>& tags, bool isBigEndian) {
    ListView1->clear();
    FSelecting = false;
    FSelectionAnchor = FSelectionLast = -1;
    QList<QTreeWidgetItem*> items;
    for (const TTagTableRow& row : BuildTagTableRows(tags, isBigEndian, CurrentFilePages)) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, QString::fromStdString(row.Caption));
        for (size_t i = 0; i < row.Cells.size(); ++i)
            item->setText(static_cast<int>(i + 1), QString::fromStdString(row.Cells[i]));
        item->setData(0, CellCountRole, static_cast<int>(row.Cells.size()));
        items.append(item);
    }
    ListView1->addTopLevelItems(items);
    // The summary reads across the whole row; the names column widens to the longest name,
    // within reason (a wider table scrolls sideways).
    if (!items.isEmpty())
        items.front()->setFirstColumnSpanned(true);
    ListView1->resizeColumnToContents(0);
    ListView1->setColumnWidth(
        0, std::clamp(ListView1->columnWidth(0), TagTableColumns[0].Width, MaxTagNameWidth));
}

// The rows as shown, for the clipboard texts.
static std::vector<TTagTableRow> RowsOf(const QTreeWidget& list) {
    std::vector<TTagTableRow> rows;
    rows.reserve(size_t(list.topLevelItemCount()));
    for (int r = 0; r < list.topLevelItemCount(); ++r) {
        const QTreeWidgetItem* item = list.topLevelItem(r);
        TTagTableRow row;
        row.Caption = item->text(0).toStdString();
        const int cells = item->data(0, CellCountRole).toInt();
        for (int c = 1; c <= cells; ++c)
            row.Cells.push_back(item->text(c).toStdString());
        rows.push_back(std::move(row));
    }
    return rows;
}

void TForm1::CopyAllTags() {
    const std::vector<TTagTableRow> rows = RowsOf(*ListView1);
    QGuiApplication::clipboard()->setText(QString::fromStdString(TagTableCopyAllText(rows)));
}

void TForm1::CopySelectedTags() {
    std::vector<size_t> selected;
    for (int r = 0; r < ListView1->topLevelItemCount(); ++r)
        if (ListView1->topLevelItem(r)->isSelected())
            selected.push_back(size_t(r));
    if (selected.empty())
        return; // the clipboard keeps what it holds
    const std::vector<TTagTableRow> rows = RowsOf(*ListView1);
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(TagTableCopySelectedText(rows, selected)));
}

// --- Drag selection ---

static int RowAt(const QTreeWidget& list, const QPoint& pos) {
    const QModelIndex index = list.indexAt(pos);
    return index.isValid() ? index.row() : -1;
}

static void SelectRows(QTreeWidget& list, int from, int to, bool select) {
    for (int r = std::max(from, 0); r <= to && r < list.topLevelItemCount(); ++r)
        list.topLevelItem(r)->setSelected(select);
}

void TForm1::ListView1MouseDown(Qt::MouseButton button, const QPoint& pos) {
    if (button != Qt::LeftButton)
        return;
    const int row = RowAt(*ListView1, pos);
    FSelectionAnchor = FSelectionLast = row;
    FSelecting = true;
    if (row < 0) {
        ListView1->clearSelection();
        return;
    }
    ListView1->topLevelItem(row)->setSelected(true);
    ListView1->setFocus(Qt::MouseFocusReason);
}

void TForm1::ListView1MouseMove(Qt::MouseButtons buttons, const QPoint& pos) {
    if (!FSelecting || !(buttons & Qt::LeftButton))
        return;
    const int r = RowAt(*ListView1, pos);
    if (r < 0 || r == FSelectionLast)
        return;
    const int a = FSelectionAnchor;
    const int oldLo = std::min(a, FSelectionLast), oldHi = std::max(a, FSelectionLast);
    const int newLo = std::min(a, r), newHi = std::max(a, r);
    SelectRows(*ListView1, oldLo, std::min(oldHi, newLo - 1), false);
    SelectRows(*ListView1, std::max(oldLo, newHi + 1), oldHi, false);
    SelectRows(*ListView1, newLo, std::min(newHi, oldLo - 1), true);
    SelectRows(*ListView1, std::max(newLo, oldHi + 1), newHi, true);
    FSelectionLast = r;
}

void TForm1::ListView1MouseUp(Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        FSelecting = false;
}

} // namespace vantrel
