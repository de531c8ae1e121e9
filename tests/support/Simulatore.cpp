#include "support/Simulatore.h"

#include "support/QtApp.h"

#include <QApplication>
#include <QFile>
#include <QThread>
#include <cmath>

namespace obx::test {

QApplication& AppTest() { return EnsureQApp(); }

Simulatore::Simulatore(const QString& eseguibile, const QStringList& argomenti)
{
    m_p.setProcessChannelMode(QProcess::SeparateChannels);
    m_p.setProgram(eseguibile);
    m_p.setArguments(argomenti);
    m_p.start();
    if (!m_p.waitForStarted(5000)) return;
    QElapsedTimer t;
    t.start();
    while (!m_p.canReadLine() && t.elapsed() < 5000) m_p.waitForReadyRead(100);
    if (m_p.canReadLine()) m_percorso = QString::fromLocal8Bit(m_p.readLine()).trimmed();
}

Simulatore::~Simulatore()
{
    if (m_p.state() == QProcess::NotRunning) return;
    m_p.write("quit\n");
    if (!m_p.waitForFinished(1000)) {
        m_p.kill();
        m_p.waitForFinished(1000);
    }
}

void Simulatore::Leggi()
{
    m_parziale += QString::fromLocal8Bit(m_p.readAllStandardOutput());
    qsizetype a;
    while ((a = m_parziale.indexOf(u'\n')) >= 0) {
        m_righe << m_parziale.left(a);
        m_parziale.remove(0, a + 1);
    }
}

void Simulatore::Comando(const QString& riga)
{
    m_p.write(riga.toLocal8Bit() + '\n');
    m_p.waitForBytesWritten(1000);
}

bool Simulatore::AttendeRiga(const QString& testo, int ms)
{
    QElapsedTimer t;
    t.start();
    for (;;) {
        Leggi();
        for (int i = m_cursore; i < m_righe.size(); ++i)
            if (m_righe[i].contains(testo)) {
                m_cursore = i + 1;
                return true;
            }
        if (t.elapsed() > ms || m_p.state() == QProcess::NotRunning) return false;
        QCoreApplication::processEvents();
        m_p.waitForReadyRead(5);
    }
}

bool Simulatore::Sincronizza(int ms)
{
    const QString tag = QStringLiteral("t%1").arg(++m_sync);
    Comando(QStringLiteral("sync ") + tag);
    const int cursore = m_cursore;
    const bool ok = AttendeRiga(QStringLiteral("SYNC ") + tag, ms);
    m_cursore = cursore;  // a mark does not move the search of the log
    return ok;
}

QStringList Simulatore::Righe()
{
    Leggi();
    return m_righe;
}

int Simulatore::Conta(const QString& testo)
{
    Leggi();
    int n = 0;
    for (const QString& r : m_righe)
        if (r.contains(testo)) ++n;
    return n;
}

void Simulatore::Termina()
{
    m_p.kill();
    m_p.waitForFinished(2000);
}

bool Finche(const std::function<bool()>& condizione, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!condizione()) {
        if (t.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}

void ScrivePorte(const QString& cartella, const QMap<int, QString>& porte)
{
    QFile f(cartella + QStringLiteral("Porte.txt"));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    for (auto it = porte.begin(); it != porte.end(); ++it)
        f.write(QStringLiteral("%1=%2\r\n").arg(it.key()).arg(it.value()).toLocal8Bit());
}

OrologioVeloce::OrologioVeloce(double fattore, double inizio) : m_fattore(fattore), m_inizio(inizio) { m_t.start(); }

double OrologioVeloce::Timer() { return std::fmod(m_inizio + m_t.elapsed() / 1000.0 * m_fattore, 86400.0); }

QDateTime OrologioVeloce::Adesso()
{
    return QDateTime(QDate(2026, 1, 15), QTime(0, 0)).addMSecs(qint64(Timer() * 1000));
}

}  // namespace obx::test
