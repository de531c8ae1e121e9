// The console on the screens it is laid out for: at 640 x 480 (small
// layout), 800 x 600, 1024 x 768 and 1280 x 1024, in the three assembly
// kinds, before, during and after a vote, every control lies inside the
// window and inside its frame, no two overlap, every caption and every
// outcome reads whole, and the vote panel's titles name the figures under
// them.
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "console/Spoglio.h"
#include "console/TastiVoto.h"
#include "platform/Database.h"
#include "platform/Elenchi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"
#include "support/BancoConsole.h"
#include "support/Didascalie.h"

namespace obx::test {
namespace {

struct Schermo {
    int larghezza, altezza;
};
const Schermo kSchermi[] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};

QString Nome(const QWidget* w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

// What is wrong with the placement of the controls: in the window and in
// every frame, each visible control must lie inside its container and
// overlap none of the others.
QStringList Difetti(const QWidget* finestra)
{
    QStringList difetti;
    QList<const QWidget*> contenitori{finestra};
    for (const QGroupBox* g : finestra->findChildren<QGroupBox*>())
        if (g->isVisibleTo(finestra)) contenitori << g;
    for (const QWidget* c : contenitori) {
        QList<const QWidget*> figli;
        for (const QWidget* w : c->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!w->isWindow() && w->isVisibleTo(finestra)) figli << w;
        for (int i = 0; i < figli.size(); ++i) {
            const QRect r = figli[i]->geometry();
            if (!c->rect().contains(r))
                difetti << QStringLiteral("%1 (%2,%3 %4x%5) outside %6 (%7x%8)")
                               .arg(Nome(figli[i]))
                               .arg(r.x())
                               .arg(r.y())
                               .arg(r.width())
                               .arg(r.height())
                               .arg(Nome(c))
                               .arg(c->width())
                               .arg(c->height());
            for (int j = i + 1; j < figli.size(); ++j)
                if (r.intersects(figli[j]->geometry()))
                    difetti << QStringLiteral("%1 overlaps %2 in %3").arg(Nome(figli[i]), Nome(figli[j]), Nome(c));
        }
    }
    return difetti;
}

void Scrive(const QString& percorso, const QByteArray& testo)
{
    QFile f(percorso);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(testo);
}

// The outcomes a vote can end with.
const char* const kEsiti[] = {"APPROVA",
                              "NON APPROVA",
                              "ACCOLTO",
                              "NON ACCOLTO",
                              "CONFERMATA",
                              "NON CONFERMATA",
                              "N. LEGALE PRESENTE",
                              "N. LEGALE ASSENTE",
                              "RINVIATO A COMMISSIONE",
                              "NON RINVIATO A COMMISSIONE",
                              "RINVIATO AD ALTRA SEDUTA",
                              "NON RINVIATO AD ALTRA SEDUTA"};

class BancoDisposizione : public BancoConsole {
protected:
    void TearDown() override
    {
        BancoConsole::TearDown();
        iModoOBX = kCablaggioVotatori;
        iOpzioniConsole = 0;
        iPrenotazioni = 0;
        xLampo = false;
    }

    // The console opened as on a screen of that size (maximised: the window
    // is the screen), the sitting opened, everybody in and item 1 open; the
    // keys of the vote come from the test file.
    frmCons* ApreSu(const Schermo& s)
    {
        lMonitor[0] = {1, 0, 0, s.altezza, s.larghezza};
        // Each opening starts from a sitting not yet held: no events, no
        // votes (nothing to ask about), the act not yet voted.
        dbArchivio.Execute(QStringLiteral("DELETE FROM EVENTI;"));
        dbArchivio.Execute(QStringLiteral("DELETE FROM VOTI;"));
        if (Tipo() == 4)
            dbArchivio.Execute(QStringLiteral("UPDATE LEGGI SET cParametriLG = ? WHERE iCodLeggeLG = 1;"),
                               {QStringLiteral("BN")});
        iModoOBX = 0;
        (*ui)->AttendiMsg(QStringLiteral("usa VotiObx.txt"), vbYes);
        frmCons* f = Apre();
        if (!f) return nullptr;
        f->setWindowState(Qt::WindowNoState);
        f->setGeometry(0, 0, s.larghezza, s.altezza);
        Gira(5);
        ApreSeduta(f);
        TuttiPresentiArgomentoAperto();
        if (Tipo() == 4) {
            // The law of the fixture is the act to be voted.
            const QString fine = QStringLiteral("[") + Formato(1, QStringLiteral("######")) + u']';
            for (int i = 0; i < f->cmbArgo(0)->ListCount(); ++i)
                if (f->cmbArgo(0)->List(i).endsWith(fine)) f->cmbArgo(0)->SetListIndex(i);
            EXPECT_EQ(iDelibera, 1);
        }
        return f;
    }

    // Closes the console with no questions (as the fixture's end does).
    static void Chiude(frmCons* f)
    {
        iModoVoto = 0;
        f->cmdConsiglio(0)->setText(QStringLiteral("Apertura"));
        EXPECT_TRUE(f->Chiude());
        Gira(5);
    }

    // Checks the placement and the captions of what the console shows now.
    void Verifica(frmCons* f, const QString& quando)
    {
        const QStringList d = Difetti(f);
        EXPECT_TRUE(d.isEmpty()) << quando.toStdString() << ":\n" << d.join(u'\n').toStdString();
        const auto tagliate = DidascalieTagliate(f);
        EXPECT_TRUE(tagliate.empty()) << quando.toStdString() << ":\n" << Descrive(tagliate).toStdString();
    }

    // A vote of four yes, two no and one abstention with all eight in;
    // `durante` runs while it is open, before it is closed.
    void Vota(frmCons* f, const std::function<void()>& durante)
    {
        Scrive(cCartella + QStringLiteral("votiOBX.txt"), "1=3\r\n2=3\r\n3=3\r\n4=3\r\n5=6\r\n6=6\r\n7=5\r\n");
        CliccaDurante(f->cmdVoto(0), [&] {
            if (!oVoto.RaccoglieTasti() || iVotiRicevuti < 7) return false;
            durante();
            ChiudeConConferma(f);
            return true;
        });
    }
};

class Disposizione : public BancoDisposizione, public ::testing::WithParamInterface<int> {
protected:
    int Tipo() const override { return GetParam(); }
};

TEST_P(Disposizione, OgniControlloDentroLaFinestraSenzaSovrapposizioniEDidascalieIntere)
{
    struct Opzioni {
        int prenotazioni, opzioni;
        bool lampo;
    };
    // Bookings, timed votes and the blink switch on; then all of them off.
    for (const Opzioni o : {Opzioni{1, 1, true}, Opzioni{0, 0, false}}) {
        for (const Schermo& s : kSchermi) {
            iPrenotazioni = o.prenotazioni;
            iOpzioniConsole = o.opzioni;
            xLampo = o.lampo;
            frmCons* f = ApreSu(s);
            ASSERT_NE(f, nullptr);
            const QString dove = QStringLiteral("kind %1 at %2x%3, bookings %4")
                                     .arg(GetParam())
                                     .arg(s.larghezza)
                                     .arg(s.altezza)
                                     .arg(o.prenotazioni);
            EXPECT_EQ(f->rect(), QRect(0, 0, s.larghezza, s.altezza));
            Verifica(f, dove + QStringLiteral(", sitting open"));
            if (o.opzioni & 1) f->lblTempo(1)->setText(QStringLiteral("30"));

            Vota(f, [&] {
                EXPECT_FALSE(f->boxConsiglio(4)->isHidden());
                Verifica(f, dove + QStringLiteral(", vote open"));
            });
            ASSERT_FALSE(f->lblEsito()->isHidden());
            Verifica(f, dove + QStringLiteral(", vote closed"));
            // Whatever the outcome, it reads whole.
            for (const char* esito : kEsiti) {
                f->lblEsito()->setText(QString::fromLatin1(esito));
                Verifica(f, dove + QStringLiteral(", outcome ") + QString::fromLatin1(esito));
            }

            if (GetParam() == 4) {
                // The new-act panel that F8 opens, with or without the tree.
                f->PreparaNuovoAtto();
                ASSERT_FALSE(f->boxCreaAtti()->isHidden());
                Verifica(f, dove + QStringLiteral(", new act"));
                f->cmdAtto_Click(1);
            }
            Chiude(f);
        }
    }
}

class DisposizioneLeggi : public BancoDisposizione {
protected:
    int Tipo() const override { return 4; }
};

TEST_F(DisposizioneLeggi, LAlberoDegliAttiHaUnaLarghezzaUtile)
{
    for (const Schermo& s : kSchermi) {
        frmCons* f = ApreSu(s);
        ASSERT_NE(f, nullptr);
        const QTreeWidget* t = f->oAlberoVista();
        if (s.altezza <= 480) {
            EXPECT_TRUE(t->isHidden());
        } else {
            ASSERT_FALSE(t->isHidden()) << s.larghezza;
            // Wide enough for a node's title, high enough for a law with its
            // articles, and reaching the screen's right edge but for its margin.
            EXPECT_GE(t->width(), 100) << s.larghezza;
            EXPECT_GE(t->height(), 300) << s.larghezza;
            EXPECT_NEAR(f->Left(t) + f->Width(t), s.larghezza * f->TwipsX() - 192, 2 * f->TwipsX());
            // The new-act panel right under it.
            EXPECT_NEAR(f->Top(f->boxCreaAtti()), f->Top(t) + f->Height(t) + 120, 2 * f->TwipsY());
        }
        Chiude(f);
    }
}

// For a closed vote, the title whose span covers each figure names what the
// figure holds.
TEST_P(Disposizione, OgniTitoloDelQuadroNominaIlNumeroSottostante)
{
    iConfigOBX = 0;  // the voters are yes and no
    for (const Schermo& s : {kSchermi[0], kSchermi[3]}) {
        frmCons* f = ApreSu(s);
        ASSERT_NE(f, nullptr);
        Vota(f, [] {});
        ASSERT_FALSE(f->lblEsito()->isHidden());
        // The eighth member, who did not vote, is out (or present not voting).
        const int presenti = iPresenti;
        const int nonVotanti = presenti - 7;
        const QString soglia = f->lblVoto(2)->text();
        ASSERT_FALSE(soglia.isEmpty());
        struct Atteso {
            const char* titolo;
            QString numero;
        };
        std::vector<Atteso> attesi = {{"Presenti", Formato(presenti, QStringLiteral("00"))},
                                      {"Quorum", soglia},
                                      {"Favor.", QStringLiteral("04")},
                                      {"Contrari", QStringLiteral("02")},
                                      {"Astenuti", QStringLiteral("01")},
                                      {"Votanti", QStringLiteral("06")}};
        // The column of the non-voters is the large layout's.
        if (s.altezza > 480)
            attesi.push_back({"non Vot.", Formato(nonVotanti, QStringLiteral("00"))});
        else
            EXPECT_TRUE(f->lblTitolo(6)->isHidden() && f->lblVoto(6)->isHidden());

        for (const Atteso& a : attesi) {
            const QLabel* titolo = nullptr;
            for (int i = 0; i < 7; ++i)
                if (f->lblTitolo(i)->text() == QString::fromLatin1(a.titolo)) titolo = f->lblTitolo(i);
            ASSERT_NE(titolo, nullptr) << a.titolo;
            ASSERT_FALSE(titolo->isHidden()) << a.titolo;
            // The figures whose centre lies under the title's span.
            QStringList sotto;
            for (int i = 0; i < 7; ++i) {
                const QLabel* v = f->lblVoto(i);
                if (v->isHidden()) continue;
                const int centro = v->geometry().center().x();
                if (centro >= titolo->x() && centro < titolo->x() + titolo->width() && v->y() > titolo->y())
                    sotto << v->text();
            }
            EXPECT_EQ(sotto, QStringList{a.numero}) << a.titolo << " at " << s.larghezza;
        }
        Chiude(f);
    }
}

// Pictures of the console before, during and after a vote, for the eye:
// registered only when OBX_FOTO_CONSOLE names the folder to write them in
// (run under a real X server, e.g. xvfb-run, for the fonts the operators
// see).
class FotoConsole : public BancoDisposizione {
public:
    explicit FotoConsole(int tipo) : m_tipo(tipo) {}
    int Tipo() const override { return m_tipo; }

    void TestBody() override
    {
        const QString cartella = qEnvironmentVariable("OBX_FOTO_CONSOLE") + u'/';
        for (const Schermo& s : kSchermi) {
            iPrenotazioni = kPrenotazioniPannello;
            xLampo = true;
            // The laws mode's pictures with a timed vote: its countdown in
            // the outcome's row.
            iOpzioniConsole = m_tipo == 4 ? 1 : 0;
            frmCons* f = ApreSu(s);
            ASSERT_NE(f, nullptr);
            if (iOpzioniConsole & 1) f->lblTempo(1)->setText(QStringLiteral("30"));
            f->show();
            const QString base =
                cartella + QStringLiteral("console_tipo%1_%2x%3_").arg(m_tipo).arg(s.larghezza).arg(s.altezza);
            auto foto = [&](const char* quando) {
                Gira(50);
                const QString file = base + QString::fromLatin1(quando) + QStringLiteral(".png");
                EXPECT_TRUE(f->grab().save(file, "PNG")) << file.toStdString();
            };
            foto("seduta");
            Vota(f, [&] {
                // One tick of the engine: the live count of the keys.
                f->croTimer_Timer();
                foto("durante");
            });
            foto("dopo");
            f->lblEsito()->setText(QStringLiteral("NON RINVIATO AD ALTRA SEDUTA"));
            foto("esito_lungo");
            if (m_tipo == 4) {
                f->PreparaNuovoAtto();
                foto("nuovo_atto");
                f->cmdAtto_Click(1);
            }
            Chiude(f);
        }
    }

private:
    int m_tipo;
};

const bool g_foto = [] {
    if (qEnvironmentVariableIsSet("OBX_FOTO_CONSOLE"))
        for (int tipo : {1, 4})
            ::testing::RegisterTest("FotoConsole", ("Tipo" + std::to_string(tipo)).c_str(), nullptr, nullptr, __FILE__,
                                    __LINE__, [tipo]() -> BancoConsole* { return new FotoConsole(tipo); });
    return true;
}();

INSTANTIATE_TEST_SUITE_P(TipiAssemblea, Disposizione, ::testing::Values(1, 2, 4),
                         [](const ::testing::TestParamInfo<int>& i) { return "Tipo" + std::to_string(i.param); });

}  // namespace
}  // namespace obx::test
