#include "platform/Servizi.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>

namespace obx {

namespace {
Orologio* g_orologio = nullptr;
Tastiera* g_tastiera = nullptr;
Suono* g_suono = nullptr;
}  // namespace

double OrologioSistema::Timer() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }
QDateTime OrologioSistema::Adesso() { return QDateTime::currentDateTime(); }

Orologio& Clock()
{
    static OrologioSistema s;
    return g_orologio ? *g_orologio : s;
}
void ImpostaOrologio(Orologio* o) { g_orologio = o; }

bool TastieraSistema::CtrlPremuto()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

Tastiera& Tasti()
{
    static TastieraSistema s;
    return g_tastiera ? *g_tastiera : s;
}
void ImpostaTastiera(Tastiera* t) { g_tastiera = t; }

void SuonoSistema::Riproduci(const QString& file)
{
    // A detached player: the call returns at once; no player, no sound.
    static const QString player = QStandardPaths::findExecutable(QStringLiteral("aplay"));
    if (player.isEmpty()) return;
    QProcess::startDetached(player, {QStringLiteral("-q"), file});
}

void SuonoSistema::Beep()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
}

Suono& Audio()
{
    static SuonoSistema s;
    return g_suono ? *g_suono : s;
}
void ImpostaSuono(Suono* s) { g_suono = s; }

bool CopiaFile(const QString& da, const QString& a, bool falliseEsiste, QString* errore)
{
    auto fallito = [&](const QString& m) {
        if (errore) *errore = m;
        return false;
    };
    if (!QFileInfo::exists(da)) return fallito(da + QStringLiteral(" non trovato"));
    if (QFileInfo::exists(a) && falliseEsiste) return fallito(a + QStringLiteral(" già esistente"));
    const QString tmp = a + QStringLiteral(".tmpcopia");
    QFile::remove(tmp);
    if (!QFile::copy(da, tmp)) return fallito(QStringLiteral("Copia di ") + da + QStringLiteral(" fallita"));
    if (QFileInfo::exists(a) && !QFile::remove(a)) {
        QFile::remove(tmp);
        return fallito(a + QStringLiteral(" non sostituibile"));
    }
    if (!QFile::rename(tmp, a)) {
        QFile::remove(tmp);
        return fallito(QStringLiteral("Copia su ") + a + QStringLiteral(" fallita"));
    }
    return true;
}

}  // namespace obx
