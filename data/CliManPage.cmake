# Writes the manual page tonewright-cli(1) from the program's own help texts, so that the
# page says what the program says:
#   cmake -DPROGRAM=<tonewright-cli> -DOUTPUT=<page> -DVERSION=<x.y> -P CliManPage.cmake
# The main help gives the description, each command's --help a section of its own. Lines
# "  TERM  TEXT" become tagged paragraphs, the lines under "Example:" stay as they are.

cmake_minimum_required(VERSION 3.21)

function(help_of output)
  execute_process(COMMAND "${PROGRAM}" ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${ARGN} failed: ${status}")
  endif()
  # List separators and brackets of the text are kept out of CMake's list handling.
  string(REPLACE ";" "@SEMICOLON@" text "${text}")
  string(REPLACE "[" "@OPEN@" text "${text}")
  string(REPLACE "]" "@CLOSE@" text "${text}")
  string(REGEX REPLACE "\n$" "" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(${output} "${lines}" PARENT_SCOPE)
endfunction()

# Text for roff: backslashes and hyphens escaped, no line that starts as a request.
function(roff output text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "^([.'])" "\\\\&\\1" text "${text}")
  set(${output} "${text}" PARENT_SCOPE)
endfunction()

# The lines of a help text (the list variable `lines`, its usage line and summary already
# taken) as roff.
function(help_body output lines)
  set(page "")
  set(verbatim OFF)
  foreach(line IN LISTS ${lines})
    if(line STREQUAL "")
      if(verbatim)
        string(APPEND page ".fi\n.RE\n")
        set(verbatim OFF)
      endif()
      string(APPEND page ".PP\n")
    elseif(line MATCHES "^([A-Z][A-Za-z ]*):$")
      string(APPEND page ".SS ${CMAKE_MATCH_1}\n")
      if(line MATCHES "^Examples?:$")
        string(APPEND page ".RS\n.nf\n")
        set(verbatim ON)
      endif()
    elseif(verbatim)
      string(STRIP "${line}" line)
      roff(line "${line}")
      string(APPEND page "${line}\n")
    elseif(line MATCHES "^  ([^ ]+( [^ ]+)*)  +([^ ].*)$")
      roff(term "${CMAKE_MATCH_1}")
      roff(text "${CMAKE_MATCH_3}")
      string(APPEND page ".TP\n.B ${term}\n${text}\n")
    else()
      string(STRIP "${line}" line)
      roff(line "${line}")
      string(APPEND page "${line}\n")
    endif()
  endforeach()
  if(verbatim)
    string(APPEND page ".fi\n.RE\n")
  endif()
  set(${output} "${page}" PARENT_SCOPE)
endfunction()

help_of(main --help)
# "Usage: tonewright-cli COMMAND [options] FILE..." and a summary line start the help.
list(POP_FRONT main usage summary)
string(REGEX REPLACE "^Usage: tonewright-cli " "" usage "${usage}")
string(REGEX REPLACE "\\.$" "" summary "${summary}")
string(SUBSTRING "${summary}" 0 1 first)
string(SUBSTRING "${summary}" 1 -1 rest)
string(TOLOWER "${first}" first)
roff(summary "${first}${rest}")
roff(usage "${usage}")
help_body(description main)

# The commands are the lines under "Commands:" up to the next blank line.
set(commands "")
set(inCommands OFF)
foreach(line IN LISTS main)
  if(line STREQUAL "Commands:")
    set(inCommands ON)
  elseif(inCommands AND line MATCHES "^  ([a-z]+( [a-z]+)?)  ")
    list(APPEND commands "${CMAKE_MATCH_1}")
  elseif(inCommands)
    break()
  endif()
endforeach()
if(NOT commands)
  message(FATAL_ERROR "no commands found in the help of ${PROGRAM}")
endif()

set(sections "")
foreach(command IN LISTS commands)
  string(REPLACE " " ";" words "${command}")
  help_of(help ${words} --help)
  list(POP_FRONT help commandUsage commandSummary)
  string(REGEX REPLACE "^Usage: " "" commandUsage "${commandUsage}")
  roff(commandUsage "${commandUsage}")
  roff(commandSummary "${commandSummary}")
  help_body(body help)
  # A command's own sub-headings would end its section: they become bold lines.
  string(REGEX REPLACE "\\.SS ([^\n]*)\n" ".PP\n.B \\1:\n" body "${body}")
  string(APPEND sections ".SS \"${command}\"\n.B ${commandUsage}\n.PP\n${commandSummary}\n${body}")
endforeach()

string(TIMESTAMP now "%B %Y" UTC)
set(page ".\\\" Made from the help texts of tonewright-cli by CliManPage.cmake.
.TH TONEWRIGHT-CLI 1 \"${now}\" \"tonewright-cli ${VERSION}\" \"User Commands\"
.SH NAME
tonewright\\-cli \\- ${summary}
.SH SYNOPSIS
.B tonewright\\-cli
${usage}
.SH DESCRIPTION
${description}
.SH COMMANDS
${sections}
.SH SEE ALSO
.BR tonewright (1)
")
string(REPLACE "@SEMICOLON@" ";" page "${page}")
string(REPLACE "@OPEN@" "[" page "${page}")
string(REPLACE "@CLOSE@" "]" page "${page}")
# Paragraph marks that follow each other say no more than one.
string(REGEX REPLACE "(\\.PP\n)+" ".PP\n" page "${page}")
string(REGEX REPLACE "\\.PP\n(\\.S[SH] )" "\\1" page "${page}")
file(WRITE "${OUTPUT}" "${page}")
