#pragma once

class QApplication;

// In the default style the scroll bars' thumb is lighter than the groove it runs in, so it is
// read the other way round: the grey groove below a white thumb looks like a thumb at the
// bottom. Once this is installed every scroll bar of the program has a dark thumb on a light
// groove, whatever the window's colours.
void showScrollThumbsDark(QApplication &app);
