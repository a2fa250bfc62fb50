# Builds the archives installed with the program and puts them into the program folder:
#   BANK  the data bank, imported from data/archives/bank.csv
#   RICE  the special archive, empty (its placeholder record only)
#   TMPR  the current subject: the first subject of BANK, with the exchange files of
#         FileDum that retrieving it writes
#
#   cmake -DEXORVEX=<exorvex tool> -DBANK_CSV=<bank.csv> -DPROGRAM_DIR=<program folder>
#         -DWORK_DIR=<scratch folder> -DINSTALLED_DIR=<copies of the last installed files>
#         -P BuildArchives.cmake
#
# Everything is built in a scratch folder made fresh each time, next to which the correction
# tables of the program folder are linked (storing a subject computes its chart codes). A
# file goes into the program folder only when it is missing there or is still exactly what
# the last run installed: an archive or a current subject the user has changed since is
# left alone, and BASE, the user's own archive, is never touched.
foreach(variable EXORVEX BANK_CSV PROGRAM_DIR WORK_DIR INSTALLED_DIR)
    if(NOT ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()
foreach(table DSEL.rnd DPR1.rnd NOJLNE.rnd)
    if(NOT EXISTS "${PROGRAM_DIR}/FilePosi/${table}")
        message(FATAL_ERROR "the correction table FilePosi/${table} is missing in ${PROGRAM_DIR}")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/FileDum")
file(CREATE_LINK "${PROGRAM_DIR}/FilePosi" "${WORK_DIR}/FilePosi" SYMBOLIC)
# Storing notes the archive name in MMordina.dum, which must exist; the store and retrieve
# operations rewrite the other exchange files themselves.
file(WRITE "${WORK_DIR}/FileDum/MMordina.dum" "")

function(run_exorvex)
    execute_process(COMMAND "${EXORVEX}" --folder "${WORK_DIR}" ${ARGN}
                    RESULT_VARIABLE status
                    OUTPUT_VARIABLE output
                    ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        string(JOIN " " command ${ARGN})
        message(FATAL_ERROR "exorvex ${command} failed (${status}):\n${errors}${output}")
    endif()
endfunction()

# Storing a subject also makes it current, and so writes record 0 of the TMPR files: they
# start as placeholders, and the retrieve below replaces them.
run_exorvex(archive create TMPR)
run_exorvex(archive create BANK)
run_exorvex(subject import --archive BANK "${BANK_CSV}")
run_exorvex(archive verify BANK)
run_exorvex(archive create RICE)
run_exorvex(archive verify RICE)
run_exorvex(subject retrieve --archive BANK --position 1)
# The main window computes the chart of the current subject at its first activation.
run_exorvex(chart --quiet)

# The subject count: the key file less its placeholder record.
file(SIZE "${WORK_DIR}/BANK.ST1" key_bytes)
math(EXPR subjects "${key_bytes} / 44 - 1")
# One row per line after the header (no note of bank.csv runs over two lines).
file(READ "${BANK_CSV}" csv_text)
string(REGEX MATCHALL "\n" csv_line_ends "${csv_text}")
list(LENGTH csv_line_ends csv_line_count)
math(EXPR csv_subjects "${csv_line_count} - 1")
if(NOT subjects EQUAL csv_subjects)
    message(FATAL_ERROR "BANK holds ${subjects} subjects, ${BANK_CSV} ${csv_subjects}")
endif()

# Sets `result` to TRUE when the program folder's copy of `name` is no longer the one the
# previous build installed (the user changed it), FALSE when it is missing or unchanged.
function(changed_by_user name result)
    set(target "${PROGRAM_DIR}/${name}")
    set(previous "${INSTALLED_DIR}/${name}")
    set(changed FALSE)
    if(EXISTS "${target}")
        set(changed TRUE)
        if(EXISTS "${previous}")
            file(SHA256 "${target}" target_hash)
            file(SHA256 "${previous}" previous_hash)
            if(target_hash STREQUAL previous_hash)
                set(changed FALSE)
            endif()
        endif()
    endif()
    set(${result} ${changed} PARENT_SCOPE)
endfunction()

# Copies the built `name` into the program folder and remembers what was installed.
function(copy_built name)
    set(built "${WORK_DIR}/${name}")
    if(NOT EXISTS "${built}")
        return()
    endif()
    get_filename_component(folder "${name}" DIRECTORY)
    file(MAKE_DIRECTORY "${PROGRAM_DIR}/${folder}" "${INSTALLED_DIR}/${folder}")
    file(COPY_FILE "${built}" "${PROGRAM_DIR}/${name}")
    file(COPY_FILE "${built}" "${INSTALLED_DIR}/${name}")
endfunction()

# Installs WORK_DIR/<name> as PROGRAM_DIR/<name> unless the user has changed the installed one.
function(install_file name)
    if(NOT EXISTS "${WORK_DIR}/${name}")
        return()
    endif()
    changed_by_user(${name} changed)
    if(changed)
        message(STATUS "archives: ${name} was changed in the program folder; kept as it is")
        return()
    endif()
    copy_built(${name})
endfunction()

# An archive and the current subject are installed whole or not at all, so that the three
# files of an archive, and TMPR with its exchange files, always belong together.
function(install_group)
    foreach(name ${ARGN})
        changed_by_user(${name} changed)
        if(changed)
            string(JOIN ", " names ${ARGN})
            message(STATUS "archives: ${name} was changed in the program folder; "
                           "${names} kept as they are")
            return()
        endif()
    endforeach()
    foreach(name ${ARGN})
        copy_built(${name})
    endforeach()
endfunction()

install_group(BANK.ST1 BANK.ST2 BANK.ST3)
install_group(RICE.ST1 RICE.ST2 RICE.ST3)
install_group(TMPR.ST1 TMPR.ST2 FileDum/Annotaz.dum FileDum/StrText.dum FileDum/PointGlo.dum
              FileDum/MMDatArc.dum)
install_file(FileDum/MMordina.dum)
message(STATUS "archives: BANK built with ${subjects} subjects, RICE and TMPR; program folder ${PROGRAM_DIR}")
