#include "programs/program_tree.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "model/records.h"
#include "platform/image_list.h"
#include "platform/text.h"
#include "widgets/image_list_delegate.h"

// The resource initialiser lives in a static library; naming it keeps it linked in.
static void initProgramResources() { Q_INIT_RESOURCE(programs); }

namespace sw {
namespace {

static_assert(SelectProgTree::kPictureRole == ImageListDelegate::kImageIndexRole,
              "tree nodes hold their picture where the shared delegate looks for it");

constexpr int kGroupNodeType = QTreeWidgetItem::UserType + 1;
constexpr int kProgramNodeType = QTreeWidgetItem::UserType + 2;
// Between the program picture and the text.
constexpr int kTextGap = 4;

// The base of both node kinds: lets the tree ask its views to draw a node again.
class RecordNode : public QTreeWidgetItem {
 public:
  using QTreeWidgetItem::QTreeWidgetItem;
  void refresh() { emitDataChanged(); }
};

class GroupNode final : public RecordNode {
 public:
  explicit GroupNode(TInstallGroup& group)
      : RecordNode(kGroupNodeType),
        group_(group),
        picture_(group.Locked ? kLockedGroupPicture : kGroupPicture),
        state_(1 + GroupStateNumber(group.State)) {
    setText(0, QStringLiteral("--- ") + text::toQString(group.Name) + QStringLiteral(" ---"));
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  }

  TInstallGroup& group() const { return group_; }
  void setPicture(int picture) {
    if (picture_ == picture) return;
    picture_ = picture;
    refresh();
  }
  void setState(int state) {
    if (state_ == state) return;
    state_ = state;
    refresh();
  }

  QVariant data(int column, int role) const override {
    if (role == SelectProgTree::kPictureRole) return picture_;
    if (role == SelectProgTree::kStatePictureRole) return state_;
    return QTreeWidgetItem::data(column, role);
  }

 private:
  TInstallGroup& group_;
  int picture_;
  int state_;
};

// A program's picture and state picture are read from its record whenever the node is drawn.
class ProgramNode final : public RecordNode {
 public:
  explicit ProgramNode(TInstallItem& program) : RecordNode(kProgramNodeType), program_(program) {
    setText(0, text::toQString(program.Caption));
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren);
  }

  TInstallItem& program() const { return program_; }

  QVariant data(int column, int role) const override {
    if (role == SelectProgTree::kPictureRole) return program_.SmallImage;
    if (role == SelectProgTree::kStatePictureRole) return ProgramStateImage(program_);
    return QTreeWidgetItem::data(column, role);
  }

 private:
  TInstallItem& program_;
};

GroupNode* asGroupNode(QTreeWidgetItem* node) {
  return node != nullptr && node->type() == kGroupNodeType ? static_cast<GroupNode*>(node) : nullptr;
}

// Draws a row as the tree shows it: state picture, program picture, then the text, on the
// selection colour across the whole row.
class ProgramTreeDelegate final : public QStyledItemDelegate {
 public:
  explicit ProgramTreeDelegate(SelectProgTree& tree) : QStyledItemDelegate(&tree), tree_(tree) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = opt.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    opt.showDecorationSelected = true;
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);

    const QRect row = opt.rect;
    int x = row.left();
    const int state = index.data(SelectProgTree::kStatePictureRole).toInt();
    if (state > 0) {
      painter->drawImage(QPoint(x, row.top() + (row.height() - kStatePictureHeight) / 2),
                         SelectTreeStateImg().at(state));
    }
    x += kStatePictureWidth;
    const ImageList* pictures = tree_.pictures();
    const int pictureWidth = pictures != nullptr ? pictures->width() : kSmallPictureWidth;
    bool hasPicture = false;
    const int picture = index.data(SelectProgTree::kPictureRole).toInt(&hasPicture);
    if (pictures != nullptr && hasPicture) {
      painter->drawImage(QPoint(x, row.top() + (row.height() - pictures->height()) / 2),
                         pictures->at(picture));
    }
    x += pictureWidth + kTextGap;

    const QRect textRect(x, row.top(), std::max(0, row.right() + 1 - x), row.height());
    const bool selected = (opt.state & QStyle::State_Selected) != 0;
    const QPalette::ColorGroup group = (opt.state & QStyle::State_Enabled) == 0  ? QPalette::Disabled
                                       : (opt.state & QStyle::State_Active) != 0 ? QPalette::Active
                                                                                 : QPalette::Inactive;
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    const QString shown = opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, textRect.width());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    painter->restore();
    if ((opt.state & QStyle::State_HasFocus) != 0) {
      QStyleOptionFocusRect focus;
      focus.QStyleOption::operator=(opt);
      focus.rect = textRect.adjusted(-2, 0, 0, 0);
      focus.state |= QStyle::State_KeyboardFocusChange;
      focus.backgroundColor = opt.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
      style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const ImageList* pictures = tree_.pictures();
    const int pictureWidth = pictures != nullptr ? pictures->width() : kSmallPictureWidth;
    const int pictureHeight = pictures != nullptr ? pictures->height() : kSmallPictureHeight;
    const int width =
        kStatePictureWidth + pictureWidth + kTextGap + opt.fontMetrics.horizontalAdvance(opt.text) + 4;
    const int height = std::max({pictureHeight, kStatePictureHeight, opt.fontMetrics.height() + 2});
    return {width, height};
  }

 private:
  SelectProgTree& tree_;
};

ImageList loadStatePictures() {
  initProgramResources();
  ImageList list(kStatePictureWidth, kStatePictureHeight);
  const QImage strip =
      QImage(QStringLiteral(":/programs/state-pictures.png")).convertToFormat(QImage::Format_ARGB32);
  for (int slot = 0; slot < kStatePictureCount; ++slot) {
    list.append(strip.isNull()
                    ? QImage()
                    : strip.copy(slot * kStatePictureWidth, 0, kStatePictureWidth, kStatePictureHeight));
  }
  return list;
}

}  // namespace

const ImageList& SelectTreeStateImg() {
  static const ImageList pictures = loadStatePictures();
  return pictures;
}

int ProgramStateImage(const TInstallItem& program) {
  return 1 + (program.Default ? 1 : 0) + (program.Fixed ? 3 : 0) + (program.Visible ? 0 : 6);
}

bool AllProgramsFixed(const TInstallGroup& group) {
  return !group.Items.empty() &&
         std::all_of(group.Items.begin(), group.Items.end(), [](const auto& item) { return item->Fixed; });
}

int GroupStateImage(const TInstallGroup& group) {
  return 1 + GroupStateNumber(group.State) + (group.AllFixed ? 3 : 0);
}

class SelectProgTree::Silence {
 public:
  explicit Silence(SelectProgTree& tree) : tree_(tree) { ++tree_.silence_; }
  ~Silence() { --tree_.silence_; }
  Silence(const Silence&) = delete;
  Silence& operator=(const Silence&) = delete;

 private:
  SelectProgTree& tree_;
};

SelectProgTree::SelectProgTree(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(1);
  setHeaderHidden(true);
  setMinimumWidth(250);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setAllColumnsShowFocus(true);
  setRootIsDecorated(false);
  setIndentation(kIndentation);
  // Expanding and collapsing by the user go through our own checks only.
  setItemsExpandable(false);
  setExpandsOnDoubleClick(false);
  setUniformRowHeights(true);
  setContextMenuPolicy(Qt::NoContextMenu);
  setItemDelegate(new ProgramTreeDelegate(*this));
  // The selection stays as visible without the focus as with it.
  QPalette colours = palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
  }
  setPalette(colours);
  connect(this, &QTreeWidget::currentItemChanged, this, &SelectProgTree::currentNodeChanged);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &SelectProgTree::keepSelectionOnCurrent);
  connect(this, &QTreeWidget::itemExpanded, this, &SelectProgTree::SelectProgTreeExpanded);
  connect(this, &QTreeWidget::itemCollapsed, this, &SelectProgTree::SelectProgTreeCollapsed);
}

void SelectProgTree::setPictures(const ImageList* small) {
  pictures_ = small;
  viewport()->update();
}

QTreeWidgetItem* SelectProgTree::newGroupNode(TInstallGroup& group) {
  auto* node = new GroupNode(group);
  group.Node = node;
  return node;
}

QTreeWidgetItem* SelectProgTree::newProgramNode(TInstallItem& program) {
  auto* node = new ProgramNode(program);
  program.Node = node;
  return node;
}

TInstallGroup* SelectProgTree::groupOf(const QTreeWidgetItem* node) {
  if (node == nullptr || node->type() != kGroupNodeType) return nullptr;
  return &static_cast<const GroupNode*>(node)->group();
}

TInstallItem* SelectProgTree::programOf(const QTreeWidgetItem* node) {
  if (node == nullptr || node->type() != kProgramNodeType) return nullptr;
  return &static_cast<const ProgramNode*>(node)->program();
}

void SelectProgTree::setGroupStatePicture(QTreeWidgetItem* node, int state) {
  if (GroupNode* group = asGroupNode(node)) group->setState(state);
}

void SelectProgTree::refreshNode(QTreeWidgetItem* node) {
  if (node != nullptr && (node->type() == kGroupNodeType || node->type() == kProgramNodeType)) {
    static_cast<RecordNode*>(node)->refresh();
  }
}

void SelectProgTree::removeAllNodes() {
  Silence silence(*this);
  clear();
  setCurrentItem(nullptr);
}

QTreeWidgetItem* SelectProgTree::removeNode(QTreeWidgetItem* node) {
  if (node == nullptr) return nullptr;
  QTreeWidgetItem* parent = node->parent();
  QTreeWidgetItem* next = nullptr;
  if (parent != nullptr) {
    const int index = parent->indexOfChild(node);
    next = parent->child(index + 1);
    if (next == nullptr) next = index > 0 ? parent->child(index - 1) : parent;
  } else {
    const int index = indexOfTopLevelItem(node);
    next = topLevelItem(index + 1);
    if (next == nullptr && index > 0) next = topLevelItem(index - 1);
  }
  const bool wasCurrent = currentItem() == node;
  Silence silence(*this);
  delete node;
  if (wasCurrent) setCurrentItem(nullptr);
  return next;
}

void SelectProgTree::moveNode(QTreeWidgetItem* node, QTreeWidgetItem* parent, int index) {
  if (node == nullptr) return;
  const bool wasCurrent = currentItem() == node;
  {
    Silence silence(*this);
    if (QTreeWidgetItem* from = node->parent()) {
      from->takeChild(from->indexOfChild(node));
    } else {
      takeTopLevelItem(indexOfTopLevelItem(node));
    }
    if (parent != nullptr) {
      parent->insertChild(std::clamp(index, 0, parent->childCount()), node);
    } else {
      insertTopLevelItem(std::clamp(index, 0, topLevelItemCount()), node);
    }
    if (wasCurrent) setCurrentItem(node);
  }
  if (wasCurrent) scrollToItem(node);
}

void SelectProgTree::selectNode(QTreeWidgetItem* node) {
  if (node == nullptr) return;
  if (QTreeWidgetItem* parent = node->parent(); parent != nullptr && !parent->isExpanded()) {
    parent->setExpanded(true);
  }
  setCurrentItem(node);
  scrollToItem(node);
}

QRect SelectProgTree::statePictureRect(const QTreeWidgetItem* node) const {
  if (node == nullptr) return {};
  const QRect row = visualItemRect(node);
  if (row.isEmpty()) return {};
  return {row.left(), row.top(), kStatePictureWidth, row.height()};
}

bool SelectProgTree::onStatePicture(QPoint viewportPoint) const {
  const QTreeWidgetItem* node = itemAt(viewportPoint);
  return node != nullptr && statePictureRect(node).contains(viewportPoint);
}

bool SelectProgTree::SelectProgTreeExpanding(QTreeWidgetItem* node) {
  return node != nullptr && !onStatePicture(pointerPosition());
}

bool SelectProgTree::SelectProgTreeCollapsing(QTreeWidgetItem* node) {
  if (node == nullptr || onStatePicture(pointerPosition())) return false;
  const TInstallGroup* group = groupOf(node);
  return group == nullptr || !group->Locked;
}

void SelectProgTree::SelectProgTreeExpanded(QTreeWidgetItem* node) {
  if (GroupNode* group = asGroupNode(node)) {
    group->setPicture(group->group().Locked ? kLockedGroupPicture : kExpandedGroupPicture);
  }
}

void SelectProgTree::SelectProgTreeCollapsed(QTreeWidgetItem* node) {
  if (GroupNode* group = asGroupNode(node)) {
    group->setPicture(group->group().Locked ? kLockedGroupPicture : kGroupPicture);
  }
}

void SelectProgTree::keyPressEvent(QKeyEvent* event) {
  QTreeWidgetItem* node = currentItem();
  const bool hasChildren = node != nullptr && node->childCount() > 0;
  const bool expanded = hasChildren && node->isExpanded();
  int key = event->key();
  if (isRightToLeft() && (key == Qt::Key_Left || key == Qt::Key_Right)) {
    key = key == Qt::Key_Left ? Qt::Key_Right : Qt::Key_Left;
  }
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (node != nullptr && plain) {
    switch (key) {
      case Qt::Key_Left:
        if (expanded) {
          userCollapse(node);
        } else if (node->parent() != nullptr) {
          selectNode(node->parent());
        }
        event->accept();
        return;
      case Qt::Key_Right:
        if (hasChildren && !expanded) {
          userExpand(node);
        } else if (expanded) {
          selectNode(node->child(0));
        }
        event->accept();
        return;
      case Qt::Key_Plus:
      case Qt::Key_Asterisk:
        if (hasChildren && !expanded) userExpand(node);
        event->accept();
        return;
      case Qt::Key_Minus:
        if (expanded) userCollapse(node);
        event->accept();
        return;
      default:
        break;
    }
  }
  QTreeWidget::keyPressEvent(event);
}

void SelectProgTree::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeWidget::mouseDoubleClickEvent(event);
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  QTreeWidgetItem* node = itemAt(at);
  if (node == nullptr || node->childCount() == 0) return;
  pointerFromEvent_ = true;
  eventPointer_ = at;
  if (node->isExpanded()) {
    userCollapse(node);
  } else {
    userExpand(node);
  }
  pointerFromEvent_ = false;
}

bool SelectProgTree::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) return true;
  return QTreeWidget::viewportEvent(event);
}

void SelectProgTree::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const {
  // No expand buttons and no lines: the indent is only highlighted with a selected row.
  if (selectionModel() == nullptr || !selectionModel()->isSelected(index)) return;
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = rect;
  option.state |= QStyle::State_Selected;
  option.showDecorationSelected = true;
  style()->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, painter, this);
}

QItemSelectionModel::SelectionFlags SelectProgTree::selectionCommand(const QModelIndex& index,
                                                                     const QEvent* /*event*/) const {
  // One node is always the selected one: a click beside the nodes or with Ctrl keeps it.
  if (!index.isValid()) return QItemSelectionModel::NoUpdate;
  return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}

void SelectProgTree::currentNodeChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
  keepSelectionOnCurrent();
  if (silence_ > 0) return;
  emit nodeChanging(previous);
  emit nodeChanged(current);
}

void SelectProgTree::keepSelectionOnCurrent() {
  QTreeWidgetItem* current = currentItem();
  if (current == nullptr) return;
  const QModelIndex index = indexFromItem(current);
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  if (selected.size() == 1 && selected.first() == index) return;
  selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void SelectProgTree::userExpand(QTreeWidgetItem* node) {
  if (SelectProgTreeExpanding(node)) node->setExpanded(true);
}

void SelectProgTree::userCollapse(QTreeWidgetItem* node) {
  if (SelectProgTreeCollapsing(node)) node->setExpanded(false);
}

QPoint SelectProgTree::pointerPosition() const {
  return pointerFromEvent_ ? eventPointer_ : viewport()->mapFromGlobal(QCursor::pos());
}

}  // namespace sw
