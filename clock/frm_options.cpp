#include "frm_options.h"

#include "pick_list.h"
#include "place_zone.h"
#include "radio_group.h"
#include "wheel_canvas.h"
#include "zone_chooser.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace zenlume {
namespace {

const char *const kBodyNames[12] = {"Sun",    "Moon",   "Mercury", "Venus",   "Mars", "Jupiter",
                                    "Saturn", "Uranus", "Neptune", "Pluto", "Node", "Chiron"};
constexpr int kSizeMin = 25, kSizeMax = 100, kSizeStart = 63, kSizeTicks = 3;
constexpr int kMargin = 6, kSpacing = 4;

uint32_t ToColourRef(const QColor &colour)
{
    return uint32_t(colour.red()) | uint32_t(colour.green()) << 8 | uint32_t(colour.blue()) << 16;
}

// The standard colour dialog, offering solid colours only (no transparency).
std::optional<QColor> AskColour(QWidget *parent, const QColor &start)
{
    const QColor chosen = QColorDialog::getColor(start, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

// Two radio buttons that exclude each other, one above the other.
QWidget *RadioPair(QRadioButton *&first, const QString &firstText, QRadioButton *&second,
                   const QString &secondText)
{
    auto *pair = new QWidget;
    auto *row = new QVBoxLayout(pair);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    first = new QRadioButton(firstText, pair);
    second = new QRadioButton(secondText, pair);
    row->addWidget(first);
    row->addWidget(second);
    return pair;
}

}  // namespace

const char *const TfrmOptions::kZoneHint =
    "Enter the number of hours East or West of GMT in Standard Time. For example, EST is 5h00 or 4h00 "
    "in winter; EET is 2h00 or 3h00 in summer.";

TfrmOptions::TfrmOptions(QWidget *parent) : QDialog(parent)
{
    setWindowTitle("Set Clock");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // Three columns: the radio groups; the glyphs' appearance over the
    // default place; the bodies shown.  The buttons close the last two.
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    grid->setSpacing(kMargin);
    grid->addWidget(MakeSettingColumn(), 0, 0, 3, 1);
    grid->addWidget(MakePlanetAppearance(), 0, 1);
    grid->addWidget(MakeDefaultLocation(), 1, 1);
    grid->addWidget(MakeShowPlanets(), 0, 2, 2, 1);
    grid->addWidget(MakeButtons(), 2, 1, 1, 2);
    grid->setRowStretch(1, 1);
    chooser_ = [this](const QColor &start) { return AskColour(this, start); };
    NameForAssistiveTechnology();
    SetTabOrder();
    WatchChanges();
    FixSize();
}

// Names for the controls whose caption does not say what they hold: the
// spin boxes carry only a unit label beside them, the radio pairs a letter.
void TfrmOptions::NameForAssistiveTechnology()
{
    lstPlanets->setAccessibleName("Show Planets");
    tbPSize->setAccessibleName("Size");
    btnColor->setAccessibleName("Colour");
    const std::pair<QWidget *, const char *> names[] = {
        {spnLatD, "Latitude degrees"},  {spnLatM, "Latitude minutes"}, {optN, "North"},
        {optS, "South"},                {spnLongD, "Longitude degrees"}, {spnLongM, "Longitude minutes"},
        {optE, "East"},                 {optW, "West"},                 {spnZoneH, "Time zone hours"},
        {spnZoneM, "Time zone minutes"}, {cmbZone, "Time zone name"},
    };
    for (const auto &[control, name] : names) control->setAccessibleName(name);
}

// Column by column, each column top to bottom; within the place, each
// quantity's numbers before its direction.
void TfrmOptions::SetTabOrder()
{
    QList<QWidget *> order;
    for (TRadioGroup *group : {optColor, optHouse, optCusp})
        for (int i = 0; i < group->Count(); ++i) order << group->Button(i);
    order << chkPrecise << tbPSize << btnColor << spnLatD << spnLatM << optN << optS << spnLongD << spnLongM << optE << optW
          << spnZoneH << spnZoneM << cmbZone << lstPlanets << btnOK << btnCancel;
    for (int i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

QWidget *TfrmOptions::MakeSettingColumn()
{
    auto *column = new QWidget;
    auto *stack = new QVBoxLayout(column);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(kSpacing);
    optColor = new TRadioGroup("Sign Colours", {"None", "Glyphs", "Background"}, column);
    optHouse = new TRadioGroup("House System", {"Placidus", "Koch", "Equal"}, column);
    optCusp = new TRadioGroup("House Cusps", {"None", "Angles", "All"}, column);
    for (TRadioGroup *group : {optColor, optHouse, optCusp}) stack->addWidget(group);
    // Under the house choices: like them it decides how the chart is computed.
    chkPrecise = new QCheckBox("High precision", column);
    stack->addWidget(chkPrecise);
    return column;
}

QGroupBox *TfrmOptions::MakeShowPlanets()
{
    showPlanetsBox = new QGroupBox("Show Planets");
    auto *box = new QVBoxLayout(showPlanetsBox);
    box->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    lstPlanets = new TPickList(showPlanetsBox);
    for (const char *name : kBodyNames) lstPlanets->addItem(name);
    // Room for all twelve bodies without scrolling.
    const int frame = 2 * lstPlanets->frameWidth();
    lstPlanets->setMinimumHeight(12 * lstPlanets->ItemHeight() + frame);
    lstPlanets->setMinimumWidth(lstPlanets->sizeHintForColumn(0) + frame);
    lstPlanets->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->addWidget(lstPlanets);
    return showPlanetsBox;
}

QGroupBox *TfrmOptions::MakePlanetAppearance()
{
    appearanceBox = new QGroupBox("Planet Appearance");
    auto *box = new QVBoxLayout(appearanceBox);
    box->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    box->setSpacing(kSpacing);
    tbPSize = new QSlider(Qt::Horizontal, appearanceBox);
    tbPSize->setRange(kSizeMin, kSizeMax);
    tbPSize->setValue(kSizeStart);
    tbPSize->setTickPosition(QSlider::TicksBelow);
    tbPSize->setTickInterval(kSizeTicks);
    connect(tbPSize, &QSlider::valueChanged, this, &TfrmOptions::SizeMoved);
    box->addWidget(tbPSize);

    auto *row = new QHBoxLayout;
    sizeLabel = new QLabel("Size:", appearanceBox);
    lblSize = new QLabel(SizeCaption(kSizeStart), appearanceBox);
    lblSize->setAlignment(Qt::AlignCenter);
    int widest = 0;  // room for every size name
    for (int position = kSizeMin; position <= kSizeMax; position += 15)
        widest = std::max(widest, lblSize->fontMetrics().horizontalAdvance(SizeCaption(position)));
    lblSize->setMinimumWidth(widest);
    btnColor = new QPushButton("Colour", appearanceBox);
    btnColor->setAutoDefault(false);
    connect(btnColor, &QPushButton::clicked, this, &TfrmOptions::ChooseColour);
    row->addWidget(sizeLabel);
    row->addWidget(lblSize, 1);
    row->addWidget(btnColor);
    box->addLayout(row);
    return appearanceBox;
}

QSpinBox *TfrmOptions::MakeSpin(int maximum)
{
    auto *spin = new QSpinBox(locationBox);
    spin->setRange(0, maximum);
    spin->setAlignment(Qt::AlignRight);
    return spin;
}

// Latitude, longitude and zone side by side: the name, the larger unit,
// the smaller unit, and the direction where there is one.
QGroupBox *TfrmOptions::MakeDefaultLocation()
{
    locationBox = new QGroupBox("Default Location");
    auto *grid = new QGridLayout(locationBox);
    grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    grid->setHorizontalSpacing(kSpacing);
    grid->setVerticalSpacing(kSpacing);
    spnLatD = MakeSpin(90);
    spnLatM = MakeSpin(59);
    spnLongD = MakeSpin(180);
    spnLongM = MakeSpin(59);
    spnZoneH = MakeSpin(kZoneHoursMax);
    spnZoneM = MakeSpin(59);
    for (QSpinBox *zone : {spnZoneH, spnZoneM}) {
        zone->setToolTip(kZoneHint);
        zone->installEventFilter(this);
    }
    const auto addColumn = [&](int c, const char *name, QSpinBox *major, const char *unit, QSpinBox *minor,
                               const char *minorUnit) {
        auto *heading = new QLabel(name, locationBox);
        grid->addWidget(heading, 0, c, 1, 2);
        grid->addWidget(major, 1, c);
        grid->addWidget(new QLabel(unit, locationBox), 1, c + 1);
        grid->addWidget(minor, 2, c);
        grid->addWidget(new QLabel(minorUnit, locationBox), 2, c + 1);
        return heading;
    };
    addColumn(0, "Latitude", spnLatD, "°", spnLatM, "'");
    grid->addWidget(RadioPair(optN, "N", optS, "S"), 3, 0, 1, 2);
    addColumn(2, "Longitude", spnLongD, "°", spnLongM, "'");
    grid->addWidget(RadioPair(optE, "E", optW, "W"), 3, 2, 1, 2);
    QLabel *zoneHeading = addColumn(4, "Time Zone", spnZoneH, "h", spnZoneM, "");
    cmbZone = new TZoneChooser(locationBox);
    zoneHeading->setBuddy(cmbZone);  // a combo box is known by its label
    QStringList names;
    for (const std::string &name : ZoneNames()) names << QString::fromStdString(name);
    cmbZone->SetZones(names);
    grid->addWidget(cmbZone, 4, 0, 1, 6);
    connect(cmbZone, &TZoneChooser::ZoneChosen, this, &TfrmOptions::FillZoneOffset);
    for (QSpinBox *zone : {spnZoneH, spnZoneM})
        connect(zone, &QSpinBox::valueChanged, this, [this] {
            if (!fillingZone_) cmbZone->SetZone({});
        });
    grid->setColumnMinimumWidth(1, kSpacing);
    grid->setColumnMinimumWidth(3, kSpacing);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(5, 1);
    optS->setChecked(true);
    optE->setChecked(true);
    return locationBox;
}

QWidget *TfrmOptions::MakeButtons()
{
    auto *buttons = new QDialogButtonBox;
    btnOK = buttons->addButton(QDialogButtonBox::Ok);
    btnCancel = buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

// The dialog keeps one size: the designed client area, or more where the
// font needs it so that no text is cut.
void TfrmOptions::FixSize()
{
    const QSize needed = layout()->totalMinimumSize();
    setFixedSize(std::max(kClientWidth, needed.width()), std::max(kClientHeight, needed.height()));
}

void TfrmOptions::Fill(const OptionValues &values)
{
    optColor->SetItemIndex(values.Glyphs);
    optHouse->SetItemIndex(values.Houses);
    optCusp->SetItemIndex(values.Cusps);
    chkPrecise->setChecked(values.Precise);
    tbPSize->setValue(values.Size);
    colour_ = values.Color;
    spnLatD->setValue(values.LatD);
    spnLatM->setValue(values.LatM);
    spnLongD->setValue(values.LongD);
    spnLongM->setValue(values.LongM);
    fillingZone_ = true;
    spnZoneH->setValue(values.ZoneH);
    spnZoneM->setValue(values.ZoneM);
    fillingZone_ = false;
    cmbZone->SetZone(QString::fromStdString(values.TimeZone));
    (values.North ? optN : optS)->setChecked(true);
    (values.West ? optW : optE)->setChecked(true);
    for (int i = 0; i < 12; ++i) lstPlanets->SetSelected(i, values.Show[i]);
    filled_ = values;
    changed_.clear();
}

OptionValues TfrmOptions::Values() const
{
    OptionValues v;
    v.Glyphs = optColor->ItemIndex();
    v.Houses = optHouse->ItemIndex();
    v.Cusps = optCusp->ItemIndex();
    v.Precise = chkPrecise->isChecked();
    v.Size = tbPSize->value();
    v.Color = colour_;
    v.LatD = spnLatD->value();
    v.LatM = spnLatM->value();
    v.LongD = spnLongD->value();
    v.LongM = spnLongM->value();
    v.ZoneH = spnZoneH->value();
    v.ZoneM = spnZoneM->value();
    v.North = optN->isChecked();
    v.West = optW->isChecked();
    v.TimeZone = cmbZone->Zone().toStdString();
    for (int i = 0; i < 12; ++i) v.Show[i] = lstPlanets->Selected(i);
    KeepUnchanged(v);
    return v;
}

void TfrmOptions::SetPlanetColor(uint32_t colourRef) { planetColour_ = colourRef; }

void TfrmOptions::SetColourChooser(ColourChooser chooser) { chooser_ = std::move(chooser); }

QString TfrmOptions::SizeCaption(int position)
{
    if (position < 40) return "Very Small";
    if (position < 55) return "Small";
    if (position < 70) return "Normal";
    if (position < 85) return "Large";
    return "Very Large";
}

void TfrmOptions::SizeMoved()
{
    lblSize->setText(SizeCaption(tbPSize->value()));
    emit PlanetSizeChanged(tbPSize->value());
}

void TfrmOptions::ChooseColour()
{
    if (!chooser_) return;
    const std::optional<QColor> chosen = chooser_(FromColourRef(planetColour_));
    if (!chosen || !chosen->isValid()) return;
    planetColour_ = ToColourRef(*chosen);
    colour_ = static_cast<int32_t>(planetColour_);
    emit PlanetColorChanged(planetColour_);
}

void TfrmOptions::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    SizeMoved();
}

// A control counts as changed from the first change of its value after Fill,
// or a click on one of its radio buttons (also the one already checked: the
// user chose what it shows).
void TfrmOptions::WatchChanges()
{
    for (QSpinBox *spin : {spnLatD, spnLatM, spnLongD, spnLongM, spnZoneH, spnZoneM})
        connect(spin, &QSpinBox::valueChanged, this, [this, spin] { changed_.insert(spin); });
    connect(tbPSize, &QSlider::valueChanged, this, [this] { changed_.insert(tbPSize); });
    for (TRadioGroup *group : {optColor, optHouse, optCusp})
        for (int i = 0; i < group->Count(); ++i) {
            connect(group->Button(i), &QRadioButton::clicked, this, [this, group] { changed_.insert(group); });
            connect(group->Button(i), &QRadioButton::toggled, this, [this, group] { changed_.insert(group); });
        }
}

// A control the user has not changed gives back the file's value, which it
// may not be able to show (a zone of 20 h, Porphyry, a size of 200): OK
// then leaves it as it was.
void TfrmOptions::KeepUnchanged(OptionValues &v) const
{
    const auto keep = [this](const QObject *control, int32_t &value, int32_t filled) {
        if (!changed_.contains(control)) value = filled;
    };
    keep(optColor, v.Glyphs, filled_.Glyphs);
    keep(optHouse, v.Houses, filled_.Houses);
    keep(optCusp, v.Cusps, filled_.Cusps);
    keep(tbPSize, v.Size, filled_.Size);
    keep(spnLatD, v.LatD, filled_.LatD);
    keep(spnLatM, v.LatM, filled_.LatM);
    keep(spnLongD, v.LongD, filled_.LongD);
    keep(spnLongM, v.LongM, filled_.LongM);
    keep(spnZoneH, v.ZoneH, filled_.ZoneH);
    keep(spnZoneM, v.ZoneM, filled_.ZoneM);
}

// The standard offset of the zone chosen, in the zone boxes; nothing for
// the fixed offset.
void TfrmOptions::FillZoneOffset(const QString &zone)
{
    const std::optional<PlaceZone> named = PlaceZone::Named(zone.toStdString());
    if (!named) return;
    const int minutes = std::abs(named->StandardOffset(Now())) / 60;
    fillingZone_ = true;
    spnZoneH->setValue(minutes / 60);
    spnZoneM->setValue(minutes % 60);
    fillingZone_ = false;
}

bool TfrmOptions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ToolTip) return true;  // hints are off
    return QDialog::eventFilter(watched, event);
}

}  // namespace zenlume
