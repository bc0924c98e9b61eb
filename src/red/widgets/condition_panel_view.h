#pragma once
// The condition panel of the main window: the three zone frames (Frame2..Frame4) with their zone
// boxes and the 40 condition rows, the tolerance frame Frame5, and the hidden Frame7 holding the
// non-tolerance markers Text3 0..40. The widgets are only a view of a PanelState; the last-draw
// row Text1 1..15 lives in Frame1 and is not part of this view.

#include "red/panel_state.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ssq {

class ConditionPanelView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kZones = 3;
    static constexpr int kMarkers = 41;
    static constexpr int kConditions = panel::kConditions;
    static constexpr int kTexts = 172;

    explicit ConditionPanelView(QWidget* parent = nullptr);

    // zone 1..3: Frame2, Frame3, Frame4.
    QGroupBox* zoneFrame(int zone) const;
    // Check1_0, Check2, Check3.
    QCheckBox* zoneCheck(int zone) const;

    // Frame5 "容错控制设置".
    QGroupBox* toleranceFrame() const { return m_toleranceFrame; }

    // Command5, which runs the hot/cold analysis for conditions 37..40.
    QPushButton* hotColdButton() const { return m_hotCold; }

    // Check1 0..40 (0 is the zone-1 box).
    QCheckBox* conditionCheck(int index) const;
    // Text1 0 and 16..171; nullptr for the last-draw row 1..15, which Frame1 holds.
    QLineEdit* text1(int index) const;
    // Option1 "单" (1) and Option2 "双" (2).
    QRadioButton* option(int which) const;
    // Check4 "不容错的选项".
    QCheckBox* nonTolerantCheck() const { return m_check4; }
    // Text3 0..40.
    QLineEdit* marker(int index) const;

    // Writes what the panel shows into `state`; Text1 1..15 are left as they are there.
    void readState(PanelState& state) const;
    // Shows `state`, apart from Text1 1..15. Boxes whose text does not change are not touched,
    // so the one being typed in keeps its cursor.
    void showState(const PanelState& state);

private:
    void makeZone(int zone, const QString& objectName, const QString& checkName,
                  const QString& caption);
    void makeConditionRows();
    void makeTolerance();
    void makeHiddenBoxes();
    QLineEdit* makeBox(int index, int width, QWidget* parent);
    void setOptions(bool option1, bool option2);
    void conditionBoxClicked();
    void nonTolerantClicked();

    std::array<QGroupBox*, kZones> m_zones{};
    std::array<QGridLayout*, kZones> m_grids{};
    std::array<QCheckBox*, kConditions + 1> m_check1{};
    QCheckBox* m_check2 = nullptr;
    QCheckBox* m_check3 = nullptr;
    QCheckBox* m_check4 = nullptr;
    std::array<QLineEdit*, kTexts> m_text1{};
    QRadioButton* m_option1 = nullptr;
    QRadioButton* m_option2 = nullptr;
    QButtonGroup* m_options = nullptr;
    QGroupBox* m_toleranceFrame = nullptr;
    QPushButton* m_hotCold = nullptr;
    std::array<QLineEdit*, kMarkers> m_markers{};
};

} // namespace ssq
