#include "shell/Campi.h"

#include <QFileInfo>
#include <QMetaType>

#include "platform/Servizi.h"
#include "platform/Testo.h"
#include "shell/Globali.h"

namespace obx {

namespace {

bool Nullo(const QVariant& v) { return !v.isValid() || v.isNull(); }

// Short labels of the act types, by position in the regional assembly's
// list of types (1..27); they name the nodes of the acts tree.
const QString& Etichetta(int p)
{
    static const QString etichette[] = {QString(),
                                        QStringLiteral("ArtAg"),
                                        QStringLiteral("OdG"),
                                        QStringLiteral("Moz"),
                                        QStringLiteral("Art"),
                                        QStringLiteral("MSOdG"),
                                        QStringLiteral("OdGNP"),
                                        QStringLiteral("IsOdG"),
                                        QStringLiteral("Interp"),
                                        QStringLiteral("Interr"),
                                        QStringLiteral("PdL"),
                                        QStringLiteral("PAA"),
                                        QStringLiteral("PdReg"),
                                        QStringLiteral("PdLSt"),
                                        QStringLiteral("PdRis"),
                                        QStringLiteral("PdDel"),
                                        QStringLiteral("Eme"),
                                        QStringLiteral("Sub"),
                                        QStringLiteral("SSub"),
                                        QStringLiteral("RACom"),
                                        QStringLiteral("RASed"),
                                        QStringLiteral("Sospe"),
                                        QStringLiteral("CooTe"),
                                        QStringLiteral("Preg"),
                                        QStringLiteral("Rich"),
                                        QStringLiteral("Impr"),
                                        QStringLiteral("Urge"),
                                        QStringLiteral("SSSub")};
    constexpr int n = int(std::size(etichette));
    return p > 0 && p < n ? etichette[p] : etichette[0];
}

// Position (from 1) of a letter or letters in cLettereAtti, 0 when absent;
// an empty value is never found.
int PosizioneAtto(const QString& valore)
{
    if (valore.isEmpty()) return 0;
    return int(cLettereAtti.indexOf(valore)) + 1;
}

const QString& NomeAtto(int p)
{
    static const QString vuoto;
    return p > 0 && p < int(cNomiAtti.size()) ? cNomiAtti[size_t(p)] : vuoto;
}

bool Cifra(QChar c) { return c >= u'0' && c <= u'9'; }

// Short forms of the councils' act types, for fields too narrow for the name.
QString FormaBreveConsiglio(QChar lettera)
{
    switch (lettera.unicode()) {
    case u'M': return QStringLiteral("Mozio");
    case u'A': return QStringLiteral("Artic");
    case u'V': return QStringLiteral("msOdG");
    case u'I': return QStringLiteral("Intrp");
    case u'G': return QStringLiteral("Intrg");
    case u'C': return QStringLiteral("Comun");
    case u'D': return QStringLiteral("Delib");
    case u'R': return QStringLiteral("Regol");
    case u'P': return QStringLiteral("Prgdz");
    default: return QString();
    }
}

// Short forms of the regional assembly's act types: the first for the
// board (5), the second, where there is one, for 21 characters.
struct FormaBreve {
    char16_t lettera;
    const char16_t* corta;
    const char16_t* media;
};
constexpr FormaBreve kFormeRegionali[] = {
    {u'A', u"OGnPA", u"OdG non Pass.Articoli"},
    {u'B', u"ProLg", nullptr},
    {u'C', u"SSubE", nullptr},
    {u'D', u"ArtAg", nullptr},
    {u'E', u"Emend", nullptr},
    {u'F', u"ProRe", u"Proposta Regolamento"},
    {u'G', u"Intrg", nullptr},
    {u'H', u"IscNA", u"Iscriz.Nuovo Atto OdG"},
    {u'I', u"Intrp", nullptr},
    {u'J', u"Artic", nullptr},
    {u'K', u"DicIm", u"Dichiaraz. Improponib"},
    {u'L', u"SubEm", nullptr},
    {u'M', u"Mozio", nullptr},
    {u'N', u"Prgdz", nullptr},
    {u'P', u"ProDe", u"Proposta Deliberazion"},
    {u'Q', u"ProAA", u"Proposta Atto Ammin."},
    {u'R', u"Rich.", nullptr},
    {u'S', u"Sospn", nullptr},
    {u'T', u"DicUr", u"Dichiarazione Urgenza"},
    {u'U', u"ProLS", u"Proposta Legge Statut"},
    {u'V', u"msOdG", nullptr},
    {u'W', u"RnvCm", u"Rinvio Atto in Comm."},
    {u'X', u"ProRs", u"Proposta Risoluzione"},
    {u'Y', u"RnvSd", u"Rinvio Atto altra Sed"},
    {u'Z', u"CoorT", nullptr},
    {u'9', u"SSSub", nullptr},
};

}  // namespace

QString LeggeCampo(const QVariant& valore, int modo, const QString& predefinito)
{
    if (Nullo(valore)) return predefinito;
    if (modo == 1) {
        bool ok = false;
        const double n = valore.toDouble(&ok);
        if (!ok) return valore.toString();
        return Formato(n, QStringLiteral("########"));
    }
    return TrimSpazi(valore.toString());
}

QVariant PreparaCampo(const QString& testo, int modo, int larghezza)
{
    switch (modo) {
    case 0:
        if (larghezza > 0) return PadTaglia(TrimSpazi(testo), larghezza);
        return TrimSpazi(testo) + u' ';
    case 1: return Val(u'0' + TrimSpazi(testo));
    default: return QVariant();
    }
}

QString AllineaDestra(const QVariant& valore, int larghezza)
{
    if (larghezza <= 0) return QString();
    const QString vuoto(larghezza, u' ');
    if (Nullo(valore)) return vuoto;
    switch (valore.metaType().id()) {
    // A byte is a number too: the person codes are bytes, and their column
    // in the printed registry must show them.
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong: return (vuoto + QString::number(valore.toLongLong())).right(larghezza);
    case QMetaType::ULongLong: return (vuoto + QString::number(valore.toULongLong())).right(larghezza);
    case QMetaType::Float: return (vuoto + QString::number(valore.toFloat(), 'g', 7)).right(larghezza);
    case QMetaType::Double: return (vuoto + QString::number(valore.toDouble(), 'g', 15)).right(larghezza);
    default: return vuoto;
    }
}

QString AbbreviaTesto(const QString& testo)
{
    const int w = iTipoTAB == 2 ? 20 : (iTipoTAB == 3 || iTipoTAB == 4) ? 16 : 24;
    if (testo.size() <= w) return testo;

    QString s = testo;
    s.remove(u' ');
    if (s.size() <= w) return s;

    // Words after the first separator shrink to their initials, from the
    // left, until the text fits; digits and separators always stay.
    const bool haSeparatore = !cSepara.isEmpty();
    const QChar sep = haSeparatore ? cSepara.at(0) : QChar();
    int eccesso = int(s.size()) - w;
    bool visto = false;
    QString r;
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (Cifra(c)) {
            r += c;
        } else if (haSeparatore && c == sep) {
            r += c;
            visto = true;
        } else if (!visto || (i > 0 && s.at(i - 1) == sep)) {
            r += c;
        } else if (--eccesso == 0) {
            r += s.mid(i + 1);
            break;
        }
    }
    if (r.size() <= w) return r;

    const int meta = w / 2 - 2;
    return r.left(meta) + QStringLiteral("....") + r.right(meta);
}

QString DescriveTipoAtto(int larghezza, bool riempi)
{
    const QString lettera = cTipoArg;
    QString d = NomeAtto(PosizioneAtto(lettera));
    const QChar l = lettera.isEmpty() ? QChar() : lettera.at(0);

    if (iTipoAssemblea != 4) {
        if (lettera == QLatin1String("D") || lettera == QLatin1String("M")) d += QStringLiteral(" n.") + Str(iDelibera);
        if (d.size() > larghezza && lettera.size() == 1) {
            const QString breve = FormaBreveConsiglio(l);
            if (!breve.isEmpty()) d = breve;
        }
        if (larghezza == 30 && !TrimSpazi(cArgomentoPendente).isEmpty())
            d += QStringLiteral(" (") + cArgomentoPendente.left(6) + u')';
    } else if (d.size() > larghezza && lettera.size() == 1) {
        for (const FormaBreve& f : kFormeRegionali) {
            if (f.lettera != l.unicode()) continue;
            if (!f.media)
                d = QString::fromUtf16(f.corta);
            else if (larghezza == 5)
                d = QString::fromUtf16(f.corta);
            else if (larghezza == 21)
                d = QString::fromUtf16(f.media);
            break;
        }
    }

    return riempi ? PadTaglia(d, larghezza) : d;
}

QString TipoAtto(const QString& valore, int modo)
{
    switch (modo) {
    case 0:
        if (valore.size() != 1) return QString();
        return Etichetta(PosizioneAtto(valore));
    case 1:
        for (int p = 1; p < int(cNomiAtti.size()) && !cNomiAtti[size_t(p)].isEmpty(); ++p)
            if (cNomiAtti[size_t(p)] == valore) return Etichetta(p);
        return QString();
    case 2:
        for (int p = 1; p < int(cNomiAtti.size()); ++p) {
            const QString& nome = cNomiAtti[size_t(p)];
            if (!nome.isEmpty() && nome == valore)
                return p <= cLettereAtti.size() ? cLettereAtti.mid(p - 1, 1) : QString();
        }
        return QString();
    case 3: return NomeAtto(PosizioneAtto(valore));
    default: return QString();
    }
}

void Suona(const QString& nome)
{
    QString cartella = cCartellaProgramma;
    if (!cartella.endsWith(u'/') && !cartella.endsWith(u'\\')) cartella += u'/';
    const QString file = cartella + QStringLiteral("beep") + nome + QStringLiteral(".wav");
    if (QFileInfo(file).isFile())
        Audio().Riproduci(file);
    else
        Audio().Beep();
}

}  // namespace obx
