#include "shell/SheetChart.h"

#include "analysis/ArchetypalStructure.h"
#include "analysis/OrbSettings.h"
#include "graphics/DisplaySettings.h"
#include "platform/ProgramPaths.h"
#include "shell/CurrentChart.h"
#include "shell/Personalisation.h"

namespace exo {

NatalSheetState PrepareSheetChart(std::int32_t layout, std::uint8_t aspectStyle) {
    ChartState& chart = GlobalChart();
    ClearChartState(chart);
    LoadOrbSettings(GlobalOrbSettings(), chart);
    DisplaySettings& display = GlobalDisplaySettings();
    display = LoadOrCreateDisplaySettings(display.BackupFolder);
    ApplyDisplaySettings(display);
    ComputeCurrentChartQuiet(chart);
    if (SheetPrintsStructure(layout))
        BuildArchetypalStructure(chart);
    chart.SavedLatitude = chart.ChartLatitude;

    NatalSheetState state;
    state.SummaryLayout = layout;
    state.SummaryOrientation = SheetOrientationOf(layout);
    state.AspectStyle = aspectStyle;
    state.Geometry = kNatalWheelGeometry;
    Personalisation& personal = GlobalPersonalisation();
    if (ReadPersonalisation(personal))
        state.UserDisplayName = personal.UserDisplayName.str();
    return state;
}

SheetInputs CurrentSheetInputs() {
    return {GlobalChart(), GlobalOrbSettings().ActiveOrbs, GlobalArchetypalStructure()};
}

} // namespace exo
