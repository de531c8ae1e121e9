// The folder list of the archive copy and of the file picker: the folders
// of the file system as a tree, one of them current.
#pragma once

#include <QTreeView>

class QFileSystemModel;

namespace obx {

class SceltaCartella : public QTreeView {
    Q_OBJECT
public:
    explicit SceltaCartella(QWidget* parent = nullptr);
    void ImpostaCartella(const QString& cartella);
    // The current folder with its trailing separator (the program's current
    // folder when none is selected).
    QString CartellaScelta() const;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    void MostraScelta();
    QFileSystemModel* m_cartelle;
    // The folder set is kept in view while the tree is still being read,
    // until the operator moves in the tree.
    bool m_inVista = false;
};

}  // namespace obx
