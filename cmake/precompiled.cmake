# Precompiled headers: most of a translation unit's compile time goes into
# parsing the Qt, standard library and GoogleTest headers, so every target
# precompiles the ones its sources use most. The fuzz build keeps them off by
# default, so one build in CI still compiles each source with only its own
# includes and a missing #include shows there.
if(YKT_BUILD_FUZZ)
  set(YKT_PCH_DEFAULT OFF)
else()
  set(YKT_PCH_DEFAULT ON)
endif()
option(YKT_PCH "Precompile the common Qt, standard library and GoogleTest headers"
       ${YKT_PCH_DEFAULT})

set(YKT_PCH_CORE <algorithm> <array> <functional> <memory> <optional> <QByteArray> <QDir>
                 <QFile> <QList> <QObject> <QString> <QStringList> <QTimer>)
set(YKT_PCH_GUI ${YKT_PCH_CORE} <QBoxLayout> <QCheckBox> <QComboBox> <QGridLayout> <QGroupBox>
                <QLabel> <QLineEdit> <QPushButton> <QSignalBlocker> <QWidget>)

# ykt_precompile(TARGET CORE|GUI [EXTRA header...])
function(ykt_precompile target kind)
  if(YKT_PCH)
    target_precompile_headers(${target} PRIVATE ${YKT_PCH_${kind}} ${ARGN})
  endif()
endfunction()
