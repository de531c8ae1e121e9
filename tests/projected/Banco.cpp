#include "Banco.h"

#include <QCoreApplication>
#include <QEvent>

#include "shell/Configurazione.h"

namespace obx::test {

QApplication& App()
{
    static int argc = 1;
    static char nome[] = "test_projected";
    static char* argv[] = {nome, nullptr};
    static QApplication* app = qApp ? qobject_cast<QApplication*>(qApp) : new QApplication(argc, argv);
    return *app;
}

void ColoriEFontPredefiniti()
{
    cColoriTabVideo = {int32_t(0xC0C0C0),   int32_t(0xFF8080),   int32_t(0x00EF00), int32_t(0x0000FF),
                       int32_t(0x00FFFF),   int32_t(0xFFCCC3),   int32_t(0xC00000), int32_t(0x80000008),
                       int32_t(0xFF00CC),   int32_t(0x80000008), int32_t(0xC00000), int32_t(0x0000FF),
                       int32_t(0x80000008), int32_t(0xC00000),   int32_t(0xC0C0C0), int32_t(0xC0C0C0),
                       int32_t(0x80000008), int32_t(0xC00000),   int32_t(0x00EF00), int32_t(0x0000FF),
                       int32_t(0x00FFFF),   int32_t(0xFFCCC3),   int32_t(0xC00000)};
    cFont = {QStringLiteral("MS Sans Serif,B,14"), QStringLiteral("MS Sans Serif,B,14"),
             QStringLiteral("MS Sans Serif,B,14"), QStringLiteral("MS Sans Serif,B,28"),
             QStringLiteral("MS Sans Serif,S,14")};
}

void ChiudiTabellone()
{
    ScaricaFrmVideo();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void StatoIniziale()
{
    ChiudiTabellone();
    ImpostaConfigurazionePredefinita();
    AzzeraStatoSeduta();
    ColoriEFontPredefiniti();
    iPrenotazioni = 0;
    iModoVoto = 0;
    iStatoConsole = 0;
    cConsiglio = QStringLiteral("Consiglio Comunale di Valdoria");
    aPosti.assign(1, Posto{});
    FrmVideo::CaricaAnagrafe = nullptr;
    FrmVideo::Attivazione = nullptr;
}

void SediConsiglio()
{
    static const char* nomi[20] = {"ROSSI M.",    "BIANCHI L.", "VERDI A.",    "ESPOSITO G.", "ROMANO F.",
                                   "COLOMBO S.",  "RICCI P.",   "MARINO E.",   "GRECO D.",    "BRUNO C.",
                                   "GALLO R.",    "CONTI V.",   "DE LUCA T.",  "MANCINI N.",  "COSTA B.",
                                   "GIORDANO I.", "RIZZO O.",   "LOMBARDI U.", "MORETTI Z.",  "BARBIERI H."};
    aPosti.assign(21, Posto{});
    for (int i = 1; i <= 20; ++i) {
        Posto& p = aPosti[size_t(i)];
        p.cNomeBreveAN = QString::fromLatin1(nomi[i - 1]).leftJustified(16);
        p.cTipoAN = p.cTipoOrigine = i == 1 ? QStringLiteral("P") : QStringLiteral("C");
        p.iPulsanteAN = i;
        p.bCodiceAN = i;
        p.iStato = 8;
        const int riga = (i - 1) / 5, colonna = (i - 1) % 5;
        p.nTopTvAN = float(720 + riga * 900);
        p.nSinTvAN = float(240 + colonna * 2400);
    }
}

void SedutaConVoto()
{
    SediConsiglio();
    // Keys of seats 1..20: 11 yes, 4 no, 2 abstain, one present not
    // voting (seat 18), two absent (19, 20).
    const char* chiavi = "33336336533335636000";
    for (int i = 1; i <= 20; ++i) {
        Posto& p = aPosti[size_t(i)];
        const QChar c = QChar::fromLatin1(chiavi[i - 1]);
        p.iStato = 8 | (i <= 18 ? 1 : 0);
        p.cVoto = c == u'0' ? QStringLiteral(" ") : QString(c);
        cVoti.Set(p.bCodiceAN, c);
    }
    aPosti[18].iStato |= 4;
    iPresenti = 17;
    iFavorevoli = 11;
    iContrari = 4;
    iAstenuti = 2;
    cTipoVoto = QStringLiteral("P");
    iStatoConsole = 1 | 16;
}

void ScriviTitoliVoto(FrmVideo& b)
{
    const std::pair<int, const char*> righe[] = {
        {3, "10:32:15"},
        {6, "Approvazione del bilancio di previsione 2026"},
        {8, "VOTAZIONE PALESE CHIUSA"},
        {4, "Presenti 17"},
        {7, "Quorum 09"},
        {12, "Votanti 17"},
        {9, "Favorevoli 11"},
        {10, "Contrari 04"},
        {11, "Astenuti 02"},
        {13, "APPROVATA"},
    };
    for (auto [cella, testo] : righe) b.txtTitolo(cella)->SetCaption(QString::fromUtf8(testo));
    for (int cella : {4, 7, 9, 10, 11, 12, 13}) {
        b.txtTitolo(cella)->SetBackStyle(1);
        b.txtTitolo(cella)->SetBackColor(cColoriTabVideo[6]);
    }
    b.txtTitolo(13)->SetForeColor(cColoriTabVideo[9]);
    // The seats coloured by their key, as the console's result view does.
    for (size_t i = 1; i < aPosti.size(); ++i) {
        const Posto& p = aPosti[i];
        Etichetta* e = b.txtAnag(p.iPulsanteAN);
        if (!e) continue;
        const bool presente = p.iStato & 1;
        b.Presenza(presente, p.iPulsanteAN);
        if (p.cVoto == u"3")
            e->SetForeColor(cColoriTabVideo[2]);
        else if (p.cVoto == u"6")
            e->SetForeColor(cColoriTabVideo[3]);
        else if (p.cVoto == u"5")
            e->SetForeColor(cColoriTabVideo[4]);
        else if (!presente)
            e->SetForeColor(cColoriTabVideo[15]);
        else
            e->SetForeColor(cColoriTabVideo[14]);
    }
    b.txtTitolo(17)->SetCaption(QStringLiteral("BIANCHI L."));
    b.txtTitolo(18)->SetCaption(QStringLiteral("GRECO D."));
}

void BancoTabellone::SetUp()
{
    App();
    StatoIniziale();
    cCartella = cartella.path() + u'/';
    // One control monitor of 1024 x 768, no second one.
    lMonitor = {};
    lMonitor[0] = {1, 0, 0, 768, 1024};
}

void BancoTabellone::TearDown()
{
    ChiudiTabellone();
    StatoIniziale();
    lMonitor = {};
}

}  // namespace obx::test
