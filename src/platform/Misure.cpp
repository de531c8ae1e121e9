#include "platform/Misure.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOption>
#include <cmath>

namespace obx {

namespace {
const QString kMaiuscole = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
// QLineEdit keeps this many pixels between its contents and its text.
constexpr int kMargineInterno = 2;
}  // namespace

int LarghezzaCampo(const QLineEdit* campo, int caratteri)
{
    const QFontMetrics fm = campo->fontMetrics();
    const double media = fm.horizontalAdvance(kMaiuscole) / double(kMaiuscole.size());
    const QMargins m = campo->textMargins();
    const int testo = int(std::ceil(media * caratteri)) + 2 * kMargineInterno + m.left() + m.right();
    QStyleOptionFrame o;
    o.initFrom(campo);
    o.lineWidth = campo->hasFrame() ? campo->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &o, campo) : 0;
    return campo->style()->sizeFromContents(QStyle::CT_LineEdit, &o, QSize(testo, fm.height()), campo).width();
}

void AdattaCampo(QLineEdit* campo, int caratteri)
{
    campo->setMinimumWidth(std::max(campo->minimumWidth(), LarghezzaCampo(campo, caratteri)));
}

void AdattaIntestazioni(QHeaderView* intestazione)
{
    const QAbstractItemModel* modello = intestazione->model();
    if (!modello) return;
    const int n = intestazione->orientation() == Qt::Horizontal ? modello->columnCount() : modello->rowCount();
    for (int i = 0; i < n; ++i) {
        if (intestazione->isSectionHidden(i)) continue;
        const auto modo = intestazione->sectionResizeMode(i);
        if (modo != QHeaderView::Interactive && modo != QHeaderView::Fixed) continue;
        QStyleOptionHeader o;
        o.initFrom(intestazione);
        o.orientation = intestazione->orientation();
        o.text = modello->headerData(i, intestazione->orientation()).toString();
        o.section = i;
        if (intestazione->isSortIndicatorShown()) o.sortIndicator = QStyleOptionHeader::SortDown;
        const QSize serve =
            intestazione->style()->sizeFromContents(QStyle::CT_HeaderSection, &o, QSize(), intestazione);
        const int lato = intestazione->orientation() == Qt::Horizontal ? serve.width() : serve.height();
        if (intestazione->sectionSize(i) < lato) intestazione->resizeSection(i, lato);
    }
}

QFont CarattereConsole()
{
    QFont carattere;
    carattere.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    carattere.setPointSize(8);
    return carattere;
}

}  // namespace obx
