#include "shell/ControlloDati.h"

#include <QGuiApplication>

#include "platform/Dialoghi.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QValidator>
#include <algorithm>
#include <cmath>

#include "platform/Dialoghi.h"
#include "platform/Schermo.h"
#include "platform/Testo.h"

namespace obx {

namespace {

// Every data control alive, for RifiutaConArchiviAperti.
QList<ControlloDati*>& Controlli()
{
    static QList<ControlloDati*> controlli;
    return controlli;
}

}  // namespace

ControlloDati::~ControlloDati() { Controlli().removeAll(this); }

bool RifiutaConArchiviAperti()
{
    QStringList finestre;
    for (ControlloDati* c : Controlli()) {
        if (!c->Aperto()) continue;
        const QString titolo = c->window()->windowTitle();
        if (!finestre.contains(titolo)) finestre << titolo;
    }
    if (finestre.isEmpty()) return false;
    UI().MsgBox(QStringLiteral("Chiudere prima le finestre degli archivi:\n") + finestre.join(u'\n'), vbExclamation,
                kTitoloOBX);
    return true;
}

ControlloDati::ControlloDati(QWidget* padre) : QWidget(padre)
{
    Controlli().append(this);
    auto* riga = new QHBoxLayout(this);
    riga->setContentsMargins(0, 0, 0, 0);
    riga->setSpacing(0);
    const char* testi[4] = {"|<", "<", ">", ">|"};
    const char* nomi[4] = {"cmdPrimo", "cmdPrecedente", "cmdSuccessivo", "cmdUltimo"};
    for (int i = 0; i < 4; ++i) {
        m_bottoni[size_t(i)] = new QPushButton(QString::fromLatin1(testi[i]), this);
        m_bottoni[size_t(i)]->setObjectName(QString::fromLatin1(nomi[i]));
        m_bottoni[size_t(i)]->setFixedWidth(32);
        m_bottoni[size_t(i)]->setAutoDefault(false);
    }
    m_didascalia = new QLabel(this);
    m_didascalia->setFrameShape(QFrame::Panel);
    m_didascalia->setFrameShadow(QFrame::Sunken);
    riga->addWidget(m_bottoni[0]);
    riga->addWidget(m_bottoni[1]);
    riga->addWidget(m_didascalia, 1);
    riga->addWidget(m_bottoni[2]);
    riga->addWidget(m_bottoni[3]);
    connect(m_bottoni[0], &QPushButton::clicked, this, [this] { Primo(); });
    connect(m_bottoni[1], &QPushButton::clicked, this, [this] { Precedente(); });
    connect(m_bottoni[2], &QPushButton::clicked, this, [this] { Successivo(); });
    connect(m_bottoni[3], &QPushButton::clicked, this, [this] { Ultimo(); });
}

void ControlloDati::Collega(const QString& tabella, const QString& indice)
{
    m_tabella = tabella;
    m_indice = indice;
    m_didascalia->setText(m_titolo.isEmpty() ? tabella : m_titolo);
    m_rs.Close();
    m_rs = dbArchivio.OpenTable(tabella, indice);
    if (m_rs.RecordCount() > 0) m_rs.MoveFirst();
}

void ControlloDati::Aggiorna()
{
    if (!m_tabella.isEmpty()) Collega(m_tabella, m_indice);
}

void ControlloDati::Chiudi() { m_rs.Close(); }

void ControlloDati::ImpostaDidascalia(const QString& testo)
{
    m_titolo = testo;
    m_didascalia->setText(testo);
}

bool ControlloDati::FuoriRiga() const
{
    if (!m_rs.IsOpen()) return true;
    return m_rs.RecordCount() == 0 || m_rs.Bof() || m_rs.Eof();
}

int ControlloDati::Righe() const { return m_rs.IsOpen() ? m_rs.RecordCount() : 0; }

void ControlloDati::Muovi(int verso)
{
    try {
        if (!m_rs.IsOpen()) return;
        if (m_rs.RecordCount() > 0) {
            switch (verso) {
            case 0: m_rs.MoveFirst(); break;
            case 1:
                m_rs.MovePrevious();
                if (m_rs.Bof()) m_rs.MoveFirst();
                break;
            case 2:
                m_rs.MoveNext();
                if (m_rs.Eof()) m_rs.MoveLast();
                break;
            default: m_rs.MoveLast(); break;
            }
        }
    } catch (const Errore& e) {
        UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
    }
    if (Reposition) Reposition();
}

void ControlloDati::Primo() { Muovi(0); }
void ControlloDati::Precedente() { Muovi(1); }
void ControlloDati::Successivo() { Muovi(2); }
void ControlloDati::Ultimo() { Muovi(3); }

double NumeroTesto(const QString& testo) { return std::round(Val(testo)); }

QString NumeroMostrato(int numero) { return numero != 0 ? QString::number(numero) + u' ' : QString(); }

void CentraFinestra(QWidget* w) { AdattaAlloSchermo(w, true); }

void AnnullaModificaFallita(Recordset& rs, const Errore& e)
{
    try {
        if (rs.EditMode() != dbEditNone) rs.CancelUpdate();
    } catch (const Errore&) {
    }
    UI().MsgBox(e.Descrizione(), vbCritical, kTitoloOBX);
}

void PosizionaSuChiave(Recordset& rs, const QVariant& chiave)
{
    try {
        rs.Seek(QStringLiteral("="), chiave);
        if (rs.NoMatch()) rs.MoveLast();
    } catch (const Errore&) {
    }
}

namespace {

constexpr const char* kLimite = "obxLimiteDigitazione";

// The limit of a box for what is typed in it.  The text the program put in
// (a longer value stored under another display type) stays whole while it
// is left as it is; once the operator changes it the limit holds: it grows
// no further than the limit, and an edit that leaves it still longer cuts
// it to the limit.
class LimiteDigitazione : public QValidator {
public:
    explicit LimiteDigitazione(QLineEdit* e) : QValidator(e) {}
    int limite = 0;
    QString originale;
    // Length of the text last accepted: over the limit it may only shrink.
    mutable qsizetype precedente = 0;

    State validate(QString& testo, int& cursore) const override
    {
        if (testo.size() <= limite || testo == originale) {
            precedente = testo.size();
            return Acceptable;
        }
        if (testo.size() > precedente && testo.size() > limite) return Invalid;
        testo.truncate(limite);
        cursore = std::min(cursore, int(testo.size()));
        precedente = testo.size();
        return Acceptable;
    }
};

LimiteDigitazione* Controllo(QLineEdit* e)
{
    if (auto* v = dynamic_cast<LimiteDigitazione*>(const_cast<QValidator*>(e->validator()))) return v;
    if (e->validator()) return nullptr;
    auto* v = new LimiteDigitazione(e);
    e->setValidator(v);
    return v;
}

int Limite(QLineEdit* e)
{
    const QVariant v = e->property(kLimite);
    if (v.isValid()) return v.toInt();
    e->setProperty(kLimite, e->maxLength());
    return e->maxLength();
}

// What the box holds now is the text the program put there.
void Originale(QLineEdit* e, int limite, const QString& testo)
{
    if (LimiteDigitazione* v = Controllo(e)) {
        v->limite = limite;
        v->originale = testo;
        v->precedente = testo.size();
    }
}

}  // namespace

void ImpostaLimite(QLineEdit* e, int limite)
{
    e->setProperty(kLimite, limite);
    Originale(e, limite, e->text());
    // What the box holds stays whole; what is typed stops at the limit.
    e->setMaxLength(std::max(limite, int(e->text().size())));
    // A box not being typed in shows the start of its text (the limit puts
    // the cursor at the end).
    if (!e->hasFocus()) e->setCursorPosition(0);
}

void MostraValore(QLineEdit* e, const QString& testo)
{
    const int limite = Limite(e);
    Originale(e, limite, testo);
    e->setMaxLength(std::max(limite, int(testo.size())));
    e->setText(testo);
    if (!e->hasFocus()) e->setCursorPosition(0);
}

}  // namespace obx
