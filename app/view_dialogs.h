// app/view_dialogs.h - the Field dialog (258) and the Center Coordinates dialog (257).
// Each returns the item that ended it: 1 after OK (the settings changed; the caller relays the
// chart out, redraws and refreshes the menus), 2 after Cancel, 0 when it could not be shown.
#pragma once

namespace qv {

// Field: the field (degrees, minutes, seconds) through SetFieldWidth, so message 522 may ask;
// the rotation in degrees, the zoom factor, the scroll rate and the two mirror flags.
int RunFieldDialog();

// Center Coordinates: a coordinate system (radio buttons 4-7) and the centre in it (fields 9
// and 11, labelled by 8 and 10); switching the system converts the values shown.
int RunCenterCoordinatesDialog();

}  // namespace qv
