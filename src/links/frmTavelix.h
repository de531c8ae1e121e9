// "Verifica Votatori": diagnostics of the radio voting system (central
// model 7777).  Resets the central, calls the eight antennas, and runs a
// survey in which every keypad reports its unit number and battery; when
// the survey is stopped, writes the report "LogInfo.txt" and opens it.
//
// Shown modally (exec()) by the general parameters dialog.  While a survey
// runs the window holds the voting-unit port (xRilievoRadio), so that the
// console's poll for requests to speak leaves the survey frames alone.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <QTimer>
#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QPushButton;

namespace obx {

class frmTavelix : public QDialog {
    Q_OBJECT
public:
    explicit frmTavelix(QWidget* parent = nullptr);
    ~frmTavelix() override;

    // 0 reset (or stop the survey and write the report), 1 antenna scan,
    // 2 start the survey.
    void cmdTest_Click(int Index);
    // One poll of the survey.
    void croAsta_Timer();

    // The survey frames in a buffer: units and batteries into
    // cMappaRilievo, a frame cut off at the end into cResiduoRilievo.
    void AnalizzaRilievo(const QString& buffer);
    // Writes the report of the current map; returns false when the file
    // cannot be written.  The counts are those of the report.
    bool ScriveRapporto(int& trovati, int& nonRicevuti, int& scarichi);
    // Where the report goes: "LogInfo.txt" in the archive's folder.
    static QString FileRapporto();

    // Colours (blue-green-red values) of antenna indicator k (0..7) and of
    // the outcome message.
    int32_t ColoreAntenna(int k) const { return m_coloreAntenna.at(size_t(k)); }
    int32_t ColoreInfo() const { return m_coloreInfo; }

    // Controls.
    QGroupBox* boxSlave = nullptr;
    std::array<QLabel*, 8> txtSlave{};
    std::array<QPushButton*, 3> cmdTest{};
    QLabel* txtInfo = nullptr;
    QTimer croAsta;

    // Survey state.
    int iStatoRilievo = 0;
    QString cResiduoRilievo;
    QByteArray cMappaRilievo;  // 8192 bytes: antenna mask, battery code per unit
    int32_t lRicevuti = 0;

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    void Antenna(int k, int32_t colore);
    void TutteRosse();
    void Info(const QString& testo, int32_t colore);
    void Esito(const QString& testo, bool ok);
    void FineRilievo();  // the survey state ends (timer, caption, buttons)
    QString RapportoEApertura(int& trovati);
    void Tiene();  // holds or releases the port by the state

    std::array<int32_t, 8> m_coloreAntenna{};
    int32_t m_coloreInfo = 0;
    int m_generazione = 0;  // changes with every survey started or ended
};

}  // namespace obx
