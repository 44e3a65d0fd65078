#pragma once

// The open-file dialog. A chosen file goes into the name field and empties
// the views; nothing is checked. Cancelling changes nothing.
void chooseFile();
