# Lays out the program folder: the folders in which the program keeps its files.
if(NOT PROGRAM_DIR)
    message(FATAL_ERROR "PROGRAM_DIR is not set")
endif()
foreach(folder
        FilePosi FileSet FileDum FileTmp OpzioneH OpzioneS OpzioneT Appoggio Localita
        Calendar Emf Simboli Zodiaco MieiTesti Txt Scambi)
    file(MAKE_DIRECTORY "${PROGRAM_DIR}/${folder}")
endforeach()
