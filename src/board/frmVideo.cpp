#include "board/frmVideo.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLocale>
#include <QPixmap>
#include <QScreen>
#include <cmath>
#include <optional>

#include "board/Tinte.h"
#include "board/Video.h"
#include "platform/Dialoghi.h"
#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

namespace {

QPointer<FrmVideo> g_board;

// What the writers last gave the title cells (none: never written since
// the board's memory was last cleared), and whether the counts are opaque.
std::array<std::optional<QString>, FrmVideo::kTitoli> g_titoli;
bool g_risultatiOpachi = false;

// The cells of the counts, opaque while a vote's results are on display.
constexpr int kCelleRisultati[] = {4, 7, 9, 10, 11, 12, 13};

void ApplicaSfondoRisultati(FrmVideo& v)
{
    for (int n : kCelleRisultati)
        if (Etichetta* e = v.txtTitolo(n)) {
            e->SetBackStyle(g_risultatiOpachi ? 1 : 0);
            if (g_risultatiOpachi) e->SetBackColor(cColoriTabVideo[6]);
        }
}

const QString kFontIniziale = QStringLiteral("MS Sans Serif");

QFont FontIniziale(double punti, bool grassetto)
{
    QFont f(kFontIniziale);
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    return f;
}

// Whole-number division of the stored layout: both operands rounded first.
long long DivIntera(double a, long long b) { return std::llround(a) / b; }

void Sfondo(QWidget* w, int32_t colore)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, ColoreQt(colore));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

int32_t Colore(int i) { return cColoriTabVideo[size_t(i)]; }

// The council's name, or the kind of assembly when it has none.
QString IntestazioneRisultati()
{
    const QString nome = TrimSpazi(cConsiglio);
    if (!nome.isEmpty()) return nome;
    switch (iTipoAssemblea) {
    case 2: return QStringLiteral("Consiglio Provinciale");
    case 4: return QStringLiteral("Assemblea Legislativa");
    default: return QStringLiteral("Consiglio Comunale");
    }
}

// Whether the seats hold the state of a sitting (attendance, tellers,
// marks, keys) that a new load of the registry would wipe out.
bool SedutaConStato()
{
    if (aPosti.size() <= 1) return false;
    if (VotoRealeAperto()) return true;
    for (size_t i = 1; i < aPosti.size(); ++i) {
        const Posto& p = aPosti[i];
        if (p.iStato & ~kAventeDiritto) return true;
        if (!TrimSpazi(p.cVoto).isEmpty()) return true;
    }
    return false;
}

}  // namespace

// ---------------------------------------------------------------------------
// The window and its controls.  Everything that depends on the monitor, the
// colours, the fonts or the registry is set by Form_Load.

FrmVideo::FrmVideo() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(QStringLiteral("O.B.X."));

    const int k = lMonitor[1].hMonitor != 0 ? 1 : 0;
    const QScreen* schermo = SchermoDelMonitor(lMonitor[size_t(k)].hMonitor);
    m_twX = TwipsPerPixelX(schermo);
    m_twY = TwipsPerPixelY(schermo);

    m_boxPosti = new QFrame(this);
    m_boxPosti->setFrameShape(QFrame::NoFrame);
    m_boxPrenota = new QFrame(this);
    m_boxPrenota->setFrameShape(QFrame::NoFrame);
    m_boxPrenota->resize(int(std::lround(2400 / m_twX)), int(std::lround(4332 / m_twY)));
    m_imgStemma = new QLabel(this);
    m_imgStemma->setScaledContents(true);
    m_imgStemma->hide();

    struct Cella {
        int cont;
        int l, t, w, h;
        int all;
        int32_t colore;
        double punti;
        bool bold;
    };
    // cont: 0 window, 1 seat frame, 2 booking panel; colore -1 = from the table.
    const int dx = Etichetta::Destra, cx = Etichetta::Centro;
    const int32_t bianco = 0xFFFFFF;
    const Cella celle[17] = {
        {1, 120, 240, 2172, 360, dx, bianco, 12, false},
        {1, 4680, 240, 2172, 360, dx, bianco, 12, false},
        {0, 120, 84, 2412, 360, dx, -1, 12, true},
        {0, 120, 444, 2412, 360, cx, -1, 13.8, true},
        {0, 120, 1164, 2412, 720, cx, -1, 13.8, true},
        {0, 2520, 0, 6012, 444, cx, -1, 13.8, true},
        {0, 2520, 444, 6012, 360, cx, -1, 13.8, false},
        {0, 7080, 1164, 2412, 720, cx, -1, 13.8, true},
        {0, 2520, 804, 6012, 360, cx, -1, 13.8, false},
        {0, 4800, 1884, 2292, 720, cx, 0x00EF00, 13.8, true},
        {0, 7080, 1884, 2412, 720, cx, 0x0000FF, 13.8, true},
        {0, 2520, 1884, 2292, 720, cx, 0x00FFFF, 13.8, true},
        {0, 120, 1884, 2412, 720, cx, -1, 13.8, true},
        {0, 2520, 1164, 4572, 720, cx, -1, 13.8, false},
        {2, 0, 0, 2400, 300, cx, bianco, 12, false},
        {2, 0, 300, 2400, 300, cx, bianco, 12, false},
        {2, 0, 600, 2400, 300, cx, bianco, 12, false},
    };
    for (int n = 0; n < kTitoli; ++n) {
        const Cella c = n < 17 ? celle[n] : Cella{2, 0, 1008 + 360 * (n - 17), 2400, 360, cx, -1, 13.8, false};
        QWidget* cont = c.cont == 1   ? static_cast<QWidget*>(m_boxPosti)
                        : c.cont == 2 ? static_cast<QWidget*>(m_boxPrenota)
                                      : this;
        auto* e = new Etichetta(cont, m_twX, m_twY);
        e->Move(c.l, c.t, c.w, c.h);
        e->SetAllineamento(Etichetta::Allineamento(c.all));
        if (c.colore >= 0) e->SetForeColor(c.colore);
        // The counts are made opaque on the seat frame's colour after a
        // vote, which by default is their own text colour as well.
        e->SetTestoSempreLeggibile(true);
        e->SetFont(FontIniziale(c.punti, c.bold));
        m_titolo[size_t(n)] = e;
    }
    m_titolo[13]->SetCaption(QStringLiteral("esito votazione"));
    m_titolo[14]->SetCaption(QStringLiteral("PRENOTAZIONI"));
    m_titolo[15]->SetCaption(QStringLiteral("A  PARLARE"));
    m_titolo[16]->SetCaption(QStringLiteral("premere il tasto ON"));

    // Label 0 is the template of the seat labels and is never shown.
    for (int n = 0; n <= kEtichette; ++n) {
        auto* e = new Etichetta(m_boxPosti, m_twX, m_twY);
        e->SetFont(FontIniziale(13.8, true));
        e->SetAutoSize(true);
        e->hide();
        m_anag[size_t(n)] = e;
    }
    for (int n = 0; n < kRisultati; ++n) {
        auto* e = new Etichetta(this, m_twX, m_twY);
        e->SetFont(FontIniziale(7.8, true));
        e->SetAllineamento(Etichetta::Centro);
        e->SetBackStyle(1);
        e->SetTestoSempreLeggibile(true);
        e->hide();
        m_dormisco[size_t(n)] = e;
    }
}

FrmVideo::~FrmVideo()
{
    if (g_board == this) g_board = nullptr;
}

Etichetta* FrmVideo::txtTitolo(int n) const { return n >= 0 && n < kTitoli ? m_titolo[size_t(n)] : nullptr; }

Etichetta* FrmVideo::txtAnag(int n) const { return n >= 0 && n <= kEtichette ? m_anag[size_t(n)] : nullptr; }

Etichetta* FrmVideo::txtDormisco(int n) const { return n >= 0 && n < kRisultati ? m_dormisco[size_t(n)] : nullptr; }

// ---------------------------------------------------------------------------
// Building the board.

void FrmVideo::Form_Load()
{
    m_inCaricamento = true;

    // Monitor: the second when there is one, else the control monitor.
    const int k = lMonitor[1].hMonitor != 0 ? 1 : 0;
    DatiMonitor mon = lMonitor[size_t(k)];
    QScreen* schermo = SchermoDelMonitor(mon.hMonitor);
    if (mon.nLar <= 0 || mon.nAlt <= 0) {
        // Monitors never detected: the board takes the control monitor.
        schermo = QGuiApplication::primaryScreen();
        const QRect g = schermo ? schermo->geometry() : QRect(0, 0, 800, 600);
        mon = {0, g.top(), g.left(), g.height(), g.width()};
    }
    if (schermo) setScreen(schermo);
    setGeometry(mon.nSin, mon.nTop, mon.nLar, mon.nAlt);
    const double W = mon.nLar * m_twX;
    const double H = mon.nAlt * m_twY;

    // Seat frame, with room for the booking panel on its right when the
    // monitor is wide enough.
    auto twX = [this](double t) { return int(std::lround(t / m_twX)); };
    auto twY = [this](double t) { return int(std::lround(t / m_twY)); };
    const double larghezzaPosti = (iPrenotazioni != 0 && mon.nLar > 800) ? W - 2760 : W - 240;
    const double altezzaPosti = H - 2940;
    m_boxPosti->setGeometry(twX(120), twY(2700), std::max(0, twX(larghezzaPosti)), std::max(0, twY(altezzaPosti)));

    // Emblem and the width of the title band.
    double A = std::round(W - 120);
    bool emblemaPiccolo = false;
    QPixmap stemma;
    const QString fileStemma = cCartella + QStringLiteral("Stemma.bmp");
    if (QFileInfo::exists(fileStemma)) stemma.load(fileStemma);
    if (stemma.isNull()) {
        // No emblem (or a picture that cannot be read): the band takes the
        // whole width.
        m_imgStemma->hide();
        A = std::floor((A - 120) / 48) * 48;
    } else {
        double E, altezza;
        if (W > 12000) {
            E = 1368;
            altezza = 1824;
        } else {
            E = 819;
            altezza = 1092;
            emblemaPiccolo = true;
        }
        A = std::floor((A - (std::floor(E / 12) + 1) * 12) / 48) * 48;
        m_imgStemma->setGeometry(twX(W - (E + 60)), twY(60), twX(E), twY(altezza));
        m_imgStemma->setPixmap(stemma);
        m_imgStemma->show();
    }
    const double Q = A / 4;
    const int F = Q < 2688 ? 12 : 14;
    PosizionaTitoli(Q, F, emblemaPiccolo, larghezzaPosti);

    // Colours.
    Sfondo(this, Colore(5));
    Sfondo(m_boxPosti, Colore(6));
    Sfondo(m_boxPrenota, Colore(6));
    const std::pair<int, int> tinte[] = {{2, 7}, {3, 7}, {4, 10}, {5, 8}, {6, 12}, {7, 10}, {8, 9}, {12, 10}, {13, 13}};
    for (auto [cella, colore] : tinte) m_titolo[size_t(cella)]->SetForeColor(Colore(colore));
    for (Etichetta* t : m_titolo) t->SetBackStyle(0);

    // Booking panel.
    if (iPrenotazioni != 0) {
        const int pTop = m_boxPosti->y() + m_boxPosti->height() - m_boxPrenota->height();
        const int pLeft = W > 12000 ? m_boxPosti->x() + m_boxPosti->width() + twX(120)
                                    : m_boxPosti->x() + m_boxPosti->width() - m_boxPrenota->width();
        m_boxPrenota->move(pLeft, pTop);
        m_boxPrenota->show();
        m_boxPrenota->raise();
        for (int n = 17; n <= 25; ++n) m_titolo[size_t(n)]->SetForeColor(Colore(7));
    } else {
        m_boxPrenota->hide();
        m_boxPrenota->move(0, m_boxPrenota->y());
    }

    // Fonts of the title band: font 0 on the council's name (the item in
    // the regional layout), font 3 on the counts, sized to their text.
    {
        Etichetta* nome = m_titolo[iTipoAssemblea == 4 ? 6 : 5];
        QFont f = nome->font();
        if (ApplicaFont(f, cFont[0], ModoFont::Caricamento)) nome->SetFont(f);
        for (int cella : {4, 7, 9, 10, 11, 12, 13}) {
            Etichetta* e = m_titolo[size_t(cella)];
            QFont g = e->font();
            if (ApplicaFont(g, cFont[3], ModoFont::Caricamento)) {
                e->SetAutoSize(true);
                e->SetFont(g);
            }
        }
    }

    // Seat labels: hidden, at the frame's corner, empty, left-aligned and
    // sized to their text, in font 1.
    for (int n = 0; n <= kEtichette; ++n) {
        Etichetta* e = m_anag[size_t(n)];
        e->hide();
        e->SetCaption(QString());
        e->SetAllineamento(Etichetta::Sinistra);
        e->move(0, 0);
        if (n == 0) continue;
        QFont f = e->font();
        if (ApplicaFont(f, cFont[1], ModoFont::Caricamento)) e->SetFont(f);
    }

    CreaRisultati(W, H);

    // Seats.  During a sitting the seats keep the state they hold; a new
    // load of the registry would wipe attendance and keys out.
    const bool statoDaTenere = SedutaConStato();
    bool caricato = true;
    if (!statoDaTenere && CaricaAnagrafe) {
        QPointer<FrmVideo> io(this);
        caricato = CaricaAnagrafe();
        if (!io) return;
    }
    QStringList fuori;
    if (caricato) fuori = PiazzaPosti(statoDaTenere);

    // Captions and visibility of the title band.
    for (int n = 0; n <= 12; ++n) m_titolo[size_t(n)]->SetCaption(QString());
    m_titolo[0]->SetCaption(iTipoAssemblea == 1 ? QStringLiteral("Sindaco") : QStringLiteral("Pres. Giunta"));
    m_titolo[1]->SetCaption(iTipoAssemblea == 4 ? QStringLiteral("Pres. Ass. Legisl.")
                                                : QStringLiteral("Pres. Consiglio"));
    const bool titoliCapi = (iConfigOBX & kOpzNascondeTitoli) == 0;
    m_titolo[0]->setVisible(titoliCapi);
    m_titolo[1]->setVisible(titoliCapi);
    m_titolo[4]->setVisible(iTipoAssemblea != 4);
    m_titolo[5]->setVisible(iTipoAssemblea != 4);
    const QString oggi =
        QLocale(QLocale::Italian, QLocale::Italy).toString(Clock().Adesso().date(), QLocale::LongFormat);
    const qsizetype blank = oggi.indexOf(u' ');
    m_titolo[2]->SetCaption(blank >= 0 ? oggi.mid(blank + 1) : oggi);
    m_titolo[4]->SetCaption(QStringLiteral("Presenti ") + Formato(iPresenti, QStringLiteral("00")));
    if (iTipoAssemblea != 4) m_titolo[5]->SetCaption(cConsiglio);
    // A board built during a sitting takes the captions the sitting has
    // given its cells so far.
    for (int n = 0; n < kTitoli; ++n)
        if (g_titoli[size_t(n)]) m_titolo[size_t(n)]->SetCaption(*g_titoli[size_t(n)]);
    ApplicaSfondoRisultati(*this);

    // On a single monitor the board waits hidden until the console shows it.
    if (lMonitor[1].hMonitor > 0)
        Mostra();
    else
        hide();

    m_inCaricamento = false;

    if (!fuori.isEmpty()) {
        // Told once the board is up, from the event loop: the board is
        // never half built while the operator reads it.
        const QString testo =
            QStringLiteral("Posti non mostrati sul Tabellone Video: numero di pulsante oltre %1\n\n").arg(kEtichette) +
            fuori.join(u'\n');
        QMetaObject::invokeMethod(
            qApp, [testo] { UI().MsgBox(testo, vbExclamation, kTitoloOBX); }, Qt::QueuedConnection);
    }
    Audio().Beep();

    if (m_scaricaDopo) Scarica();
}

void FrmVideo::PosizionaTitoli(double Q, int F, bool emblemaPiccolo, double larghezzaPosti)
{
    const double X = m_boxPosti->x() * m_twX;
    auto dimensione = [&](int cella) {
        Etichetta* e = m_titolo[size_t(cella)];
        QFont f = e->font();
        f.setPointSizeF(F);
        e->SetFont(f);
    };
    if (iTipoAssemblea != 4) {
        struct Riga {
            int cella;
            double left, width;
            bool f;
        };
        const double lungo = emblemaPiccolo ? 3 * Q - 819 : 3 * Q;
        const Riga righe[] = {
            {2, X, Q, true},         {5, X + Q, lungo, false}, {3, X, Q, true},          {6, X + Q, lungo, true},
            {8, X + Q, lungo, true}, {4, X, Q, true},          {13, X + Q, 2 * Q, true}, {7, X + 3 * Q, Q, true},
            {12, X, Q, true},        {11, X + Q, Q, true},     {9, X + 2 * Q, Q, true},  {10, X + 3 * Q, Q, true},
        };
        for (const Riga& r : righe) {
            Etichetta* e = m_titolo[size_t(r.cella)];
            e->SetLeft(r.left);
            e->SetWidth(r.width);
            e->SetLarghezzaMassima(r.width);
            if (r.f) dimensione(r.cella);
        }
    } else {
        struct Riga {
            int cella;
            double top, height, left, width;
        };
        const Riga righe[] = {
            {2, 0, 360, X, Q},
            {3, 0, 360, X + 3 * Q, Q},
            {6, 360, 420, X, 4 * Q},
            {8, 1080, 360, X + Q, 2 * Q},
            {7, 1080, 360, X + 3 * Q, Q},
            {12, 1440, 360, X, Q},
            {9, 1440, 360, X + Q, Q},
            {10, 1440, 360, X + 2 * Q, Q},
            {11, 1440, 360, X + 3 * Q, Q},
            {13, 2160, 360, X, larghezzaPosti},
        };
        for (const Riga& r : righe) {
            m_titolo[size_t(r.cella)]->Move(r.left, r.top, r.width, r.height);
            m_titolo[size_t(r.cella)]->SetLarghezzaMassima(r.width);
            dimensione(r.cella);
        }
    }
}

void FrmVideo::CreaRisultati(double W, double H)
{
    const double b = double(DivIntera(H, 25));
    const double t = double(DivIntera(H, 5));
    const double q4 = double(DivIntera(W, 4));
    const double q2 = double(DivIntera(W, 2));
    struct Cella {
        double l, t, w, h;
        int sfondo, testo, font;
    };
    const double alto = H - 2 * t - 3 * b;
    const Cella celle[kRisultati] = {
        {0, H - t, W, t, 21, 16, 2},
        {0, b, W / 4, t, 21, 16, 2},
        {q4, b, W / 4, t, 21, 16, 2},
        {q2, b, W / 4, t, 21, 16, 2},
        {3 * q4, b, W / 4, t, 21, 16, 2},
        {0, t + 2 * b, W / 4, alto, 22, 17, 3},
        {q4, t + 2 * b, W / 4, alto, 22, 18, 3},
        {q2, t + 2 * b, W / 4, alto, 22, 19, 3},
        {3 * q4, t + 2 * b, W / 4, alto, 22, 20, 3},
        {0, 0, W, b, 21, 21, -1},
        {0, b + t, W, b, 22, 22, -1},
        {0, H - t - b, W, b, 21, 21, -1},
    };
    const QString intestazioni = QStringLiteral("VOTANTI    S I    N O  A S T");
    for (int n = 0; n < kRisultati; ++n) {
        const Cella& c = celle[n];
        Etichetta* e = m_dormisco[size_t(n)];
        e->hide();
        e->SetBackStyle(1);
        e->SetAllineamento(Etichetta::Centro);
        e->Move(c.l, c.t, c.w, c.h);
        e->SetBackColor(Colore(c.sfondo));
        e->SetForeColor(Colore(c.testo));
        if (c.font >= 0) {
            QFont f = e->font();
            if (ApplicaFont(f, cFont[size_t(c.font)], ModoFont::Caricamento)) e->SetFont(f);
        }
        if (n >= 1 && n <= 4) e->SetCaption(LTrimSpazi(intestazioni.mid((n - 1) * 7, 7)));
        // Built after the booking panel was brought forward: the table
        // covers it when shown.
        e->raise();
    }
    m_dormisco[0]->SetCaption(IntestazioneRisultati());
}

// Places every seat with a label and a projected position; returns the
// seats left off because their label number lies beyond the board's labels.
QStringList FrmVideo::PiazzaPosti(bool statoDaTenere)
{
    QStringList fuori;
    const bool votoInCorso = VotoRealeAperto();
    const bool votoMostrato = votoInCorso || (iStatoConsole & kStatoEsito) != 0;
    for (size_t i = 1; i < aPosti.size(); ++i) {
        const Posto& p = aPosti[i];
        const int k = p.iPulsanteAN;
        if (k <= 0 || (p.nTopTvAN <= 0 && p.nSinTvAN <= 0)) continue;
        const QString nome = RTrimSpazi(p.cNomeBreveAN);
        if (k > kEtichette) {
            fuori << QStringLiteral("%1 (pulsante %2)").arg(TrimSpazi(nome)).arg(k);
            continue;
        }
        Etichetta* e = m_anag[size_t(k)];
        e->SetCaption(nome);
        e->SetTop(p.nTopTvAN);
        e->SetLeft(p.nSinTvAN);
        e->Tag = Formato(double(i), QStringLiteral("###"));
        e->SetForeColor(Colore(0));
        e->show();
        if (!statoDaTenere) continue;

        // A board rebuilt during a sitting shows the seats as they stand.
        const bool presente = (p.iStato & kPresente) != 0;
        Presenza(presente, k);
        if (!votoMostrato) continue;
        const QString voto = TrimSpazi(p.cVoto);
        const bool haVotato = voto == u"3" || voto == u"5" || voto == u"6" || voto == u"+";
        if (cTipoVoto == u"H") {
            if (haVotato && (iConfigOBX & kOpzMostraVotantiSegreto)) e->SetForeColor(Colore(4));
        } else if (haVotato) {
            if (!votoInCorso || xColoriVoto) e->SetForeColor(Colore(voto == u"5" ? 4 : voto == u"6" ? 3 : 2));
        } else if (!presente) {
            e->SetForeColor(Colore(15));
        } else if (p.iStato & kPresenteNonVotante) {
            e->SetForeColor(Colore(14));
        }
    }
    return fuori;
}

// ---------------------------------------------------------------------------
// The presence look.

void FrmVideo::Presenza(bool xDentro, int iP)
{
    Etichetta* e = iP >= 1 ? txtAnag(iP) : nullptr;
    if (!e) return;
    QFont f = e->font();
    if (ApplicaFont(f, cFont[xDentro ? 1 : 4], ModoFont::Presenza)) e->SetFont(f);
    e->SetForeColor(Colore(xDentro ? 1 : 0));
}

// ---------------------------------------------------------------------------
// Showing, activation and closing.

void FrmVideo::Mostra()
{
    if (isVisible()) {
        Attiva();
        return;
    }
    show();
}

void FrmVideo::Attiva()
{
    if (auto hook = Attivazione) hook();
}

void FrmVideo::showEvent(QShowEvent* e)
{
    QWidget* attiva = QApplication::activeWindow();
    if (attiva && attiva != this) m_precedente = attiva;
    QWidget::showEvent(e);
    Attiva();
}

bool FrmVideo::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate) {
        Attiva();
        // Some window systems hand the focus to every window they map, the
        // hints notwithstanding: give it back to the console at once, so
        // that the operator's keys never land on the board.
        if (m_precedente && m_precedente != this && m_precedente->isVisible()) m_precedente->activateWindow();
    }
    return QWidget::event(e);
}

void FrmVideo::closeEvent(QCloseEvent* e)
{
    // Closed from outside (the window manager): the board is gone for its
    // writers at once, and built anew the next time one touches it.
    if (m_inCaricamento) {
        // Not while it is being built: it goes once the load is over.
        m_scaricaDopo = true;
        e->ignore();
        return;
    }
    if (g_board == this) g_board = nullptr;
    QWidget::closeEvent(e);
}

void FrmVideo::Scarica()
{
    if (m_inCaricamento) {
        m_scaricaDopo = true;
        return;
    }
    if (g_board == this) g_board = nullptr;
    hide();
    deleteLater();
}

FrmVideo& frmVideo()
{
    if (!g_board) {
        auto* board = new FrmVideo;
        g_board = board;
        QPointer<FrmVideo> io(board);
        board->Form_Load();
        // Taken down while it was being built: the caller still gets a live
        // object, which goes away once control is back in the event loop.
        if (io) return *io;
        return frmVideo();
    }
    return *g_board;
}

FrmVideo* frmVideoCaricato() { return g_board.data(); }

void ScaricaFrmVideo()
{
    g_titoli = {};
    g_risultatiOpachi = false;
    if (g_board) g_board->Scarica();
}

void ScriveTitoloVideo(int n, const QString& testo)
{
    if (n < 0 || n >= FrmVideo::kTitoli) return;
    g_titoli[size_t(n)] = testo;
    if (g_board)
        if (Etichetta* e = g_board->txtTitolo(n)) e->SetCaption(testo);
}

void SfondoRisultatiVideo(bool xOpachi)
{
    g_risultatiOpachi = xOpachi;
    if (g_board) ApplicaSfondoRisultati(*g_board);
}

}  // namespace obx
