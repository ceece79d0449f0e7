# Runs EXE with ARGS ("|"-separated), standard input from INPUT when given,
# and checks the exit status against RC, standard output against OUT, in
# which a backslash and "n" stand for a line break, and, when ERR is given,
# standard error against the regular expression ERR.
string(REPLACE "|" ";" args "${ARGS}")
set(input)
if(INPUT)
    set(input INPUT_FILE ${INPUT})
endif()
execute_process(COMMAND ${EXE} ${args} ${input}
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REPLACE "\\n" "\n" expected "${OUT}")
if(NOT rc STREQUAL RC)
    message(FATAL_ERROR "exit status ${rc}, expected ${RC}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(NOT out STREQUAL expected)
    message(FATAL_ERROR "stdout:\n[${out}]\nexpected:\n[${expected}]\nstderr:\n${err}")
endif()
if(ERR)
    string(REPLACE "\\n" "\n" err_pattern "${ERR}")
    if(NOT err MATCHES "${err_pattern}")
        message(FATAL_ERROR "stderr:\n[${err}]\ndoes not match:\n[${err_pattern}]")
    endif()
endif()
