list(APPEND BALLMERE_CORE_SOURCES
  database/DatabaseHeader.h database/DatabaseHeader.cpp
  database/DatabaseOps.h database/DatabaseOps.cpp
  database/DrawFile.h database/DrawFile.cpp
  database/DrawFilePreload.h database/DrawFilePreload.cpp
  database/DrawTable.h database/DrawTable.cpp
  database/EntryRules.h database/EntryRules.cpp
  database/TwoDigitYear.h database/TwoDigitYear.cpp
)
list(APPEND BALLMERE_UI_SOURCES
  database/Database.h database/Database.cpp database/DatabaseGame.cpp database/Database.ui
  database/DrawTableModel.h database/DrawTableModel.cpp
  database/Newdata.h database/Newdata.cpp database/Newdata.ui
  database/RulesWindow.h database/RulesWindow.cpp
  database/UpdateSource.h database/UpdateSource.cpp database/UpdateSource.ui
  database/DrawUpdateFlow.h database/DrawUpdateFlow.cpp
  database/EntryBoxes.h database/EntryBoxes.cpp
)
list(APPEND BALLMERE_CORE_SOURCES
  database/DrawImport.h database/DrawImport.cpp database/DrawImportSummary.cpp
  database/DrawImportApply.cpp database/DrawImportContradictions.cpp
  database/DrawImportStored.h database/DrawImportStored.cpp
  database/DrawImportDateCell.h database/DrawImportDateCell.cpp
  database/DrawImportLine.h database/DrawImportLine.cpp
  database/DrawUpdate.h database/DrawUpdate.cpp
)
