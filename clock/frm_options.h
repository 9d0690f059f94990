// TfrmOptions, the options dialog "Set Clock": sign colours, house system
// and cusp lines, the theory that computes the positions ("High
// precision"), the bodies the wheel shows, the size and colour of their
// glyphs, and the default place and time zone.
//
// The dialog only holds values: the clock fills it from the settings file
// (Fill), runs it, and on OK writes what Values() returns.  While it is open
// the size slider and the colour button report the choice through
// PlanetSizeChanged and PlanetColorChanged; the clock shows it on the wheel
// in place of the settings' values until it reads the settings again.
#pragma once

#include "settings.h"

#include <QColor>
#include <QDialog>
#include <QSet>

#include <cstdint>
#include <functional>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;

namespace zenlume {

class TPickList;
class TRadioGroup;
class TZoneChooser;

class TfrmOptions : public QDialog {
    Q_OBJECT
public:
    // The client area the dialog is laid out for; it grows only where the
    // desktop's font needs more room.
    static constexpr int kClientWidth = 413;
    static constexpr int kClientHeight = 289;
    // The zone hours east or west of Greenwich: up to 14 (Kiribati).
    static constexpr int kZoneHoursMax = 14;
    static const char *const kZoneHint;

    explicit TfrmOptions(QWidget *parent = nullptr);

    // Sets every component from the values the settings file holds.  Radio
    // indexes beyond the items show the last item, negative ones none; spin
    // box values outside their ranges show the nearest value in range.
    void Fill(const OptionValues &values);
    // What the dialog shows, for the settings file: a radio group with no
    // item checked gives -1; Color is the value from Fill, or the colour
    // last chosen with btnColor as 0x00BBGGRR.  A radio group, the slider or
    // a spin box that the user has not changed since Fill gives the value
    // Fill had, also one it cannot show.
    OptionValues Values() const;
    // The clock's present glyph colour (0x00BBGGRR), where the colour
    // dialog of btnColor starts.
    void SetPlanetColor(uint32_t colourRef);
    uint32_t PlanetColor() const { return planetColour_; }

    // Replaces the colour dialog: the chooser gets the starting colour and
    // returns the chosen one, or nothing when the user cancelled.
    using ColourChooser = std::function<std::optional<QColor>(const QColor &)>;
    void SetColourChooser(ColourChooser chooser);

signals:
    void PlanetSizeChanged(int position);
    void PlanetColorChanged(uint32_t colourRef);

public slots:
    // Names the size of the slider's position in lblSize and reports the
    // position through PlanetSizeChanged.
    void SizeMoved();
    // Asks for a colour, starting from the clock's glyph colour; a chosen
    // colour becomes the dialog's colour and is reported through
    // PlanetColorChanged.  Cancelling changes nothing.
    void ChooseColour();

public:
    // The size name for a slider position: "Very Small" .. "Very Large".
    static QString SizeCaption(int position);

protected:
    // Names the slider's size again, and reports it, each time the dialog opens.
    void showEvent(QShowEvent *event) override;
    // The dialog shows no hints: the zone boxes carry theirs as tool-tip
    // text only.
    bool eventFilter(QObject *watched, QEvent *event) override;

public:
    // The components, under their names in the dialog's design.
    TRadioGroup *optColor;
    TRadioGroup *optHouse;
    TRadioGroup *optCusp;
    // Checked: the precise ephemeris computes the chart ([Setting]
    // Precision=1); unchecked: the library's own theory.
    QCheckBox *chkPrecise;
    QGroupBox *showPlanetsBox;
    TPickList *lstPlanets;
    QGroupBox *appearanceBox;
    QSlider *tbPSize;
    QLabel *sizeLabel;
    QLabel *lblSize;
    QPushButton *btnColor;
    QGroupBox *locationBox;
    QSpinBox *spnLatD;
    QSpinBox *spnLatM;
    QSpinBox *spnLongD;
    QSpinBox *spnLongM;
    QSpinBox *spnZoneH;
    QSpinBox *spnZoneM;
    QRadioButton *optN;
    QRadioButton *optS;
    QRadioButton *optE;
    QRadioButton *optW;
    // The zone's name in the system's time-zone database, or "(fixed
    // offset)" for the numbers alone.  Choosing a name fills the zone
    // hours and minutes with its standard offset (the east/west choice
    // stays the longitude's); changing those numbers by hand goes back to
    // the fixed offset.
    TZoneChooser *cmbZone;
    QPushButton *btnOK;
    QPushButton *btnCancel;

private:
    QWidget *MakeSettingColumn();
    QGroupBox *MakeShowPlanets();
    QGroupBox *MakePlanetAppearance();
    QGroupBox *MakeDefaultLocation();
    QWidget *MakeButtons();
    QSpinBox *MakeSpin(int maximum);
    void FixSize();
    void NameForAssistiveTechnology();
    void SetTabOrder();
    void WatchChanges();
    void KeepUnchanged(OptionValues &values) const;
    void FillZoneOffset(const QString &zone);
    bool fillingZone_ = false;  // the zone boxes are being set, not edited

    OptionValues filled_;            // the values of the last Fill
    QSet<const QObject *> changed_;  // the controls changed since then
    int32_t colour_ = 0;         // the value Values() gives as Color
    uint32_t planetColour_ = 0;  // where the colour dialog starts
    ColourChooser chooser_;
};

}  // namespace zenlume
