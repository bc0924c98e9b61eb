#pragma once
// The condition panel of the main window: the three zone frames (Frame2..Frame4) with their
// zone boxes, the tolerance frame Frame5 and the hidden Frame7 holding the non-tolerance
// markers Text3 0..40. Condition rows go into each zone's grid.

#include <QWidget>

#include <array>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace ssq {

class ConditionPanelView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kZones = 3;
    static constexpr int kMarkers = 41;

    explicit ConditionPanelView(QWidget* parent = nullptr);

    // zone 1..3: Frame2, Frame3, Frame4.
    QGroupBox* zoneFrame(int zone) const;
    // Check1_0, Check2, Check3.
    QCheckBox* zoneCheck(int zone) const;
    QGridLayout* conditionGrid(int zone) const;

    // Frame5 "容错控制设置".
    QGroupBox* toleranceFrame() const { return m_toleranceFrame; }
    QGridLayout* toleranceGrid() const { return m_toleranceGrid; }

    // Command5, which runs the hot/cold analysis for conditions 37..40.
    QPushButton* hotColdButton() const { return m_hotCold; }

    // Text3 0..40.
    QLineEdit* marker(int index) const;

private:
    QGroupBox* makeZone(int zone, const QString& objectName, const QString& checkName,
                        const QString& caption);
    void makeMarkers();

    std::array<QGroupBox*, kZones> m_zones{};
    std::array<QCheckBox*, kZones> m_zoneChecks{};
    std::array<QGridLayout*, kZones> m_grids{};
    QGroupBox* m_toleranceFrame = nullptr;
    QGridLayout* m_toleranceGrid = nullptr;
    QPushButton* m_hotCold = nullptr;
    std::array<QLineEdit*, kMarkers> m_markers{};
};

} // namespace ssq
