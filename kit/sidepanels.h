#ifndef SIDEPANELS_H
#define SIDEPANELS_H

#include "core/programflow.h"

#include <QPoint>

#include <optional>
#include <vector>

class QLabel;
class QWidget;

// The panels beside a main window's controls, one below the other where its layout puts them: the tables its
// flow last showed. The twin of showPanels in web/src/window.js: keep the two in step.
class SidePanels
{
public:
    // Where the window's layout puts them: none for a window without panels.
    SidePanels(QWidget &window, const std::optional<PanelPlace> &place) : m_window(window), m_place(place) {}

    void setPanels(const std::vector<Panel> &panels) { m_shown = panels; }
    // Lays them out anew at `scale`, the layout's top left at `origin`; the width in pixels the window needs
    // for them, their margin included (0 for none).
    int place(double scale, QPoint origin);

private:
    QWidget &m_window;
    const std::optional<PanelPlace> &m_place;
    std::vector<Panel> m_shown;
    std::vector<QLabel *> m_labels;
};

#endif
