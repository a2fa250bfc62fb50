#pragma once
// The fifteen metafile slots of the natal chart window: the sheets exported as
// Emf\GRAF01.EMF ... Emf\GRAF15.EMF, and Emf\TipGraf.Set, which keeps for each slot the
// printer orientation in force when it was last written ("P" portrait, "L" landscape or no
// printer), so the viewer opens in the sheet's shape.
#include <optional>
#include <string>
#include <vector>

namespace exo {

inline constexpr const char* kMetafileFolder = "Emf\\";
inline constexpr const char* kMetafileStyleFile = "Emf\\TipGraf.Set";
inline constexpr int kMetafileSlots = 15;

// The file as installed: every slot landscape.
std::vector<std::string> DefaultMetafileStyleLines();

// The extension check of the file names typed in the window: the text from every "." (at
// most 10 characters) must be exactly ".EMF", letter case included; a name without a dot
// passes.
bool MetafileNameAccepted(const std::string& name);

// The slot of a name: characters 5 and 6 as an integer ("GRAF07.EMF" is slot 7). A name
// whose characters do not make an integer from 1 to 15 has no slot, and nothing is recorded
// for it.
std::optional<int> MetafileSlotNumber(const std::string& name);

// Writes the orientation the exported name is drawn in onto its slot's line: "P" when a
// printer is present and set to portrait, "L" otherwise. The file must exist (InOutError);
// a file of fewer lines is completed with landscape slots, and all 15 lines are written
// back. Returns false, touching nothing, for a name without a slot.
bool RecordMetafileOrientation(const std::string& name, bool printerPresent, bool printerLandscape);

struct ViewerSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const ViewerSize&, const ViewerSize&) = default;
};

// The viewer's client size for a saved sheet: 660 x 510 for a landscape slot ("L"),
// 450 x 680 otherwise; on screens whose height-to-width ratio lies strictly between 0.62
// and 0.63 the width is 755 or 525. The file must exist (InOutError); a name without a
// slot, or a slot past the end of the file, counts as landscape, as installed.
ViewerSize MetafileViewerSize(const std::string& name, int screenWidth, int screenHeight);

} // namespace exo
