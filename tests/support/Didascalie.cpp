#include "support/Didascalie.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>
#include <QToolButton>
#include <cmath>

namespace obx::test {

namespace {

// Room left on each side of the text of push and tool buttons, so that a
// caption does not touch the button's edge.
constexpr int kRespiroBottone = 2;
// A line of text may lose one pixel of its descent to the control's edge.
constexpr int kTolleranzaAltezza = 1;

QString Nome(const QWidget* w, const QWidget* finestra)
{
    QStringList parti;
    for (const QWidget* p = w; p; p = p->parentWidget()) {
        QString n = QString::fromLatin1(p->metaObject()->className());
        if (!p->objectName().isEmpty()) n += u' ' + p->objectName();
        parti.prepend(n);
        if (p == finestra) break;
    }
    return parti.join(QStringLiteral(" / "));
}

// The caption without the markers of keyboard shortcuts ("&&" stays "&").
QString SenzaMnemonico(const QString& t)
{
    QString r;
    r.reserve(t.size());
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i] == u'&') {
            if (i + 1 < t.size() && t[i + 1] == u'&') {
                r += u'&';
                ++i;
            }
            continue;
        }
        r += t[i];
    }
    return r;
}

// Size of a plain text, line by line.
QSize MisuraTesto(const QFontMetrics& fm, const QString& testo)
{
    const QStringList righe = testo.split(u'\n');
    int larghezza = 0;
    for (const QString& r : righe) larghezza = std::max(larghezza, fm.horizontalAdvance(r));
    const int altezza = fm.height() + (int(righe.size()) - 1) * fm.lineSpacing();
    return {larghezza, altezza};
}

// What of w its window shows, in w's own coordinates: the parents
// (up to the window) cut off whatever lies outside them.
QRect ParteVisibile(const QWidget* w, const QWidget* finestra)
{
    QRect r = w->rect();
    QPoint origine(0, 0);  // w's origin in the coordinates of p
    const QWidget* p = w;
    while (p != finestra && p->parentWidget()) {
        origine += p->pos();
        p = p->parentWidget();
        r &= p->rect().translated(-origine);
        if (p->isWindow()) break;
    }
    return r;
}

struct Misura {
    QRect area;   // where the control lays its text (own coordinates)
    QRect testo;  // where the text lies
    bool valido = false;
};

Misura MisuraEtichetta(const QLabel* l)
{
    Misura m;
    if (l->text().isEmpty()) return m;
    if (!l->pixmap().isNull()) return m;
    QRect cr = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    const Qt::Alignment al = QStyle::visualAlignment(l->layoutDirection(), l->alignment());
    int rientro = l->indent();
    if (rientro < 0 && l->frameWidth()) rientro = l->fontMetrics().horizontalAdvance(u'x') / 2 - l->margin();
    if (rientro > 0) {
        if (al & Qt::AlignLeft) cr.setLeft(cr.left() + rientro);
        if (al & Qt::AlignRight) cr.setRight(cr.right() - rientro);
        if (al & Qt::AlignTop) cr.setTop(cr.top() + rientro);
        if (al & Qt::AlignBottom) cr.setBottom(cr.bottom() - rientro);
    }
    const bool ricco =
        l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
    QSize dim;
    if (ricco) {
        QTextDocument doc;
        doc.setDefaultFont(l->font());
        doc.setDocumentMargin(0);
        doc.setHtml(l->text());
        if (l->wordWrap()) doc.setTextWidth(cr.width());
        dim = QSize(int(std::ceil(l->wordWrap() ? std::max(doc.idealWidth(), 0.0) : doc.idealWidth())),
                    int(std::ceil(doc.size().height())));
    } else if (l->wordWrap()) {
        dim = l->fontMetrics().boundingRect(cr, int(al) | Qt::TextWordWrap, SenzaMnemonico(l->text())).size();
    } else {
        dim = MisuraTesto(l->fontMetrics(), SenzaMnemonico(l->text()));
    }
    m.area = cr;
    m.testo = QStyle::alignedRect(Qt::LeftToRight, al, dim, cr);
    m.valido = true;
    return m;
}

Misura MisuraBottone(const QAbstractButton* b)
{
    Misura m;
    const QString testo = SenzaMnemonico(b->text());
    if (testo.isEmpty()) return m;
    QStyleOptionButton o;
    o.initFrom(b);
    o.text = b->text();
    o.icon = b->icon();
    o.iconSize = b->iconSize();
    QSize dim = MisuraTesto(b->fontMetrics(), testo);
    if (qobject_cast<const QCheckBox*>(b) || qobject_cast<const QRadioButton*>(b)) {
        const auto el =
            qobject_cast<const QCheckBox*>(b) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
        m.area = b->style()->subElementRect(el, &o, b);
        if (!b->icon().isNull()) dim.rwidth() += b->iconSize().width() + 4;
        m.testo = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignLeft | Qt::AlignVCenter, dim, m.area);
        m.valido = true;
        return m;
    }
    if (auto* t = qobject_cast<const QToolButton*>(b)) {
        if (t->toolButtonStyle() == Qt::ToolButtonIconOnly && !t->icon().isNull()) return m;
        const int bordo = t->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &o, t);
        m.area = t->rect().adjusted(bordo, bordo, -bordo, -bordo);
    } else if (auto* p = qobject_cast<const QPushButton*>(b)) {
        if (p->isFlat()) o.features |= QStyleOptionButton::Flat;
        if (p->menu()) o.features |= QStyleOptionButton::HasMenu;
        if (p->autoDefault()) o.features |= QStyleOptionButton::AutoDefaultButton;
        if (p->isDefault()) o.features |= QStyleOptionButton::DefaultButton;
        m.area = p->style()->subElementRect(QStyle::SE_PushButtonContents, &o, p);
        if (!p->icon().isNull()) dim.rwidth() += p->iconSize().width() + 4;
    } else {
        m.area = b->rect();
    }
    dim.rwidth() += 2 * kRespiroBottone;
    m.testo = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, dim, m.area);
    m.valido = true;
    return m;
}

Misura MisuraCornice(const QGroupBox* g)
{
    Misura m;
    const QString testo = SenzaMnemonico(g->title());
    if (testo.isEmpty()) return m;
    QStyleOptionGroupBox o;
    o.initFrom(g);
    o.text = g->title();
    o.lineWidth = 1;
    o.midLineWidth = 0;
    o.textAlignment = g->alignment();
    o.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (g->isCheckable()) o.subControls |= QStyle::SC_GroupBoxCheckBox;
    if (g->isFlat()) o.features |= QStyleOptionFrame::Flat;
    const QRect etichetta = g->style()->subControlRect(QStyle::CC_GroupBox, &o, QStyle::SC_GroupBoxLabel, g);
    const QSize dim = MisuraTesto(g->fontMetrics(), testo);
    // The title is drawn from the left of its label across the frame's top;
    // the frame ends where the box does.
    m.area = QRect(etichetta.left(), etichetta.top(), g->width() - etichetta.left(),
                   std::max(etichetta.height(), dim.height()));
    m.testo = QRect(etichetta.topLeft(), dim);
    m.valido = true;
    return m;
}

// The sections of a header whose title is wider (or taller) than the
// section: the size the style asks for the title, sort mark included where
// the header shows it.
void SezioniTagliate(std::vector<DidascaliaTagliata>& esito, const QHeaderView* h, const QWidget* finestra)
{
    const QAbstractItemModel* modello = h->model();
    if (!modello) return;
    const bool orizzontale = h->orientation() == Qt::Horizontal;
    const int n = orizzontale ? modello->columnCount(h->rootIndex()) : modello->rowCount(h->rootIndex());
    for (int i = 0; i < n; ++i) {
        if (h->isSectionHidden(i) || h->sectionSize(i) <= 0) continue;
        const QString testo = modello->headerData(i, h->orientation()).toString();
        if (testo.isEmpty()) continue;
        QStyleOptionHeader o;
        o.initFrom(h);
        o.orientation = h->orientation();
        o.text = testo;
        o.section = i;
        if (h->isSortIndicatorShown() && h->sortIndicatorSection() == i)
            o.sortIndicator = h->sortIndicatorOrder() == Qt::AscendingOrder ? QStyleOptionHeader::SortUp
                                                                            : QStyleOptionHeader::SortDown;
        const QSize serve = h->style()->sizeFromContents(QStyle::CT_HeaderSection, &o, QSize(), h);
        const int lungo = orizzontale ? serve.width() : serve.height();
        const int largo = orizzontale ? serve.height() : serve.width();
        const int spazioLargo = orizzontale ? h->height() : h->width();
        DidascaliaTagliata d{h, Nome(h, finestra) + QStringLiteral(" section %1").arg(i), testo, 0, 0, false};
        if (lungo > h->sectionSize(i)) {
            d.necessaria = lungo;
            d.disponibile = h->sectionSize(i);
            d.inAltezza = !orizzontale;
            esito.push_back(d);
        } else if (largo > spazioLargo + kTolleranzaAltezza) {
            d.necessaria = largo;
            d.disponibile = spazioLargo;
            d.inAltezza = orizzontale;
            esito.push_back(d);
        }
    }
}

void Confronta(std::vector<DidascaliaTagliata>& esito, const QWidget* w, const QWidget* finestra, const QString& testo,
               const Misura& m)
{
    const QRect visibile = m.area & ParteVisibile(w, finestra);
    const QRect& t = m.testo;
    DidascaliaTagliata d{w, Nome(w, finestra), testo, 0, 0, false};
    if (t.left() < visibile.left() || t.right() > visibile.right()) {
        d.necessaria = t.width();
        d.disponibile = std::max(0, visibile.width());
        esito.push_back(d);
    } else if (t.top() < visibile.top() - kTolleranzaAltezza || t.bottom() > visibile.bottom() + kTolleranzaAltezza) {
        d.necessaria = t.height();
        d.disponibile = std::max(0, visibile.height());
        d.inAltezza = true;
        esito.push_back(d);
    }
}

bool Visibile(const QWidget* w, const QWidget* finestra)
{
    if (w == finestra) return true;
    if (w->isWindow()) return false;  // a window of its own (menus, dialogs)
    return w->isVisibleTo(finestra);
}

}  // namespace

std::vector<DidascaliaTagliata> DidascalieTagliate(const QWidget* finestra)
{
    std::vector<DidascaliaTagliata> esito;
    if (!finestra) return esito;
    QList<const QWidget*> controlli{finestra};
    for (const QWidget* w : finestra->findChildren<QWidget*>()) controlli << w;
    for (const QWidget* w : controlli) {
        if (!Visibile(w, finestra)) continue;
        if (auto* l = qobject_cast<const QLabel*>(w)) {
            const Misura m = MisuraEtichetta(l);
            if (m.valido) Confronta(esito, w, finestra, l->text(), m);
        } else if (auto* b = qobject_cast<const QAbstractButton*>(w)) {
            const Misura m = MisuraBottone(b);
            if (m.valido) Confronta(esito, w, finestra, SenzaMnemonico(b->text()), m);
        } else if (auto* g = qobject_cast<const QGroupBox*>(w)) {
            const Misura m = MisuraCornice(g);
            if (m.valido) Confronta(esito, w, finestra, SenzaMnemonico(g->title()), m);
        } else if (auto* h = qobject_cast<const QHeaderView*>(w)) {
            SezioniTagliate(esito, h, finestra);
        }
    }
    return esito;
}

std::vector<DidascaliaTagliata> CampiStretti(const QWidget* finestra, int minimo)
{
    std::vector<DidascaliaTagliata> esito;
    if (!finestra) return esito;
    static const QString kMaiuscole = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    for (const QLineEdit* e : finestra->findChildren<QLineEdit*>()) {
        if (!Visibile(e, finestra)) continue;
        const int n = e->maxLength();
        if (n > 255 || n < minimo) continue;
        // A combo box's own editor is sized by its combo.
        if (e->parentWidget() && e->parentWidget()->inherits("QComboBox")) continue;
        QStyleOptionFrame o;
        o.initFrom(e);
        o.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &o, e) : 0;
        const QMargins mt = e->textMargins();
        // The field keeps two pixels inside its contents on each side.
        const QRect area = e->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &o, e)
                               .adjusted(2 + mt.left(), 0, -(2 + mt.right()), 0) &
                           ParteVisibile(e, finestra);
        const double media = e->fontMetrics().horizontalAdvance(kMaiuscole) / double(kMaiuscole.size());
        const int necessaria = int(std::ceil(media * n));
        if (necessaria > area.width())
            esito.push_back({e, Nome(e, finestra), QStringLiteral("%1 characters").arg(n), necessaria,
                             std::max(0, area.width()), false});
    }
    return esito;
}

QString Descrive(const std::vector<DidascaliaTagliata>& elenco)
{
    QStringList righe;
    for (const DidascaliaTagliata& d : elenco)
        righe << QStringLiteral("%1: \"%2\" needs %3 px %4, has %5")
                     .arg(d.nome, d.testo)
                     .arg(d.necessaria)
                     .arg(d.inAltezza ? QStringLiteral("high") : QStringLiteral("wide"))
                     .arg(d.disponibile);
    return righe.join(u'\n');
}

}  // namespace obx::test
