#pragma once
// The saved inputs of the calculation window, kept per user under the name Software\Brovalin: on
// Linux the INI file that QSettings keeps for the organisation "Brovalin" in the user's configuration
// directory (Brovalin.ini), on Windows the registry key itself.
//
// Values are stored as texts under the control property names ("EdFloorL.Text", "ChSeal.Checked",
// "StStorePrice.Caption", ...) at the top level; the window's placement under [MainForm].

#include <QByteArray>
#include <QSettings>
#include <QString>

#include <array>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace prices {

// Property name -> stored text. A property that was never stored is absent.
using StoredValues = std::map<std::string, std::string>;

// The stored properties in their order: the 27 of the window and, last, the doors' vibration
// selector, so that every input comes back.
inline constexpr std::array<const char*, 28> kStoredProperties{
    "EdFloorL.Text",        "EdFloorW.Text",         "EdHoodL.Text",          "EdHoodW.Text",
    "EdRoofL.Text",         "EdRoofW.Text",          "EdTailGateL.Text",      "EdTailGateW.Text",
    "CbRoofVibro.Text",     "CbRoofNoise.Text",      "CbRoofHeat.Text",       "CbDoorHeat.Text",
    "CbDoorNoise.Text",     "CbFloorHeat.Text",      "CbFloorNoise.Text",     "CbFloorVibro.Text",
    "CbHoodHeat.Text",      "CbHoodNoise.Text",      "CbHoodVibro.Text",      "CbTailGateNoise.Text",
    "CbTailGateVibro.Text", "CbTailGateHeat.Text",   "ChParcelShelf.Checked", "ChTorpeda.Checked",
    "SpNumDoors.Value",     "StStorePrice.Caption",  "ChSeal.Checked",        "CbDoorVibro.Text",
};

class StorageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class FormStorage {
  public:
    // Over the current user's own stored state.
    FormStorage();
    // Over an INI file of the same format (the headless command, tests).
    explicit FormStorage(const QString& iniFile);

    // Throws StorageError when the stored values cannot be read.
    StoredValues Restore() const;
    // Throws StorageError when the values could not be written.
    void Store(const StoredValues& values);

    QByteArray Placement() const;
    void StorePlacement(const QByteArray& geometry);

    QString FileName() const { return m_settings->fileName(); }

  private:
    void CheckStatus(const char* what) const;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace prices
