# one_file.cmake -- gearmesh.html: the page with the program's script (and so its
# WebAssembly) written into it, one file that works wherever it is opened, and that
# carries the licence texts in a comment, since it travels without them.
# Usage: cmake -DPAGE=index.html -DSCRIPT=gearmesh.js -DLICENCES="LICENSE;notices.txt"
#              -DOUT=gearmesh.html -P one_file.cmake
file(READ ${PAGE} page)
file(READ ${SCRIPT} script)
set(licences "")
foreach(text ${LICENCES})
  file(READ ${text} licence)
  string(APPEND licences "${licence}\n")
endforeach()
set(tag "<script src=\"gearmesh.js\"></script>")
string(FIND "${page}" "${tag}" at)
string(FIND "${script}" "</script" closes)
string(FIND "${licences}" "-->" ends)
if(at EQUAL -1 OR NOT closes EQUAL -1 OR NOT ends EQUAL -1)
  message(FATAL_ERROR "${PAGE} has no ${tag}, or ${SCRIPT} holds a </script, or the licences a -->")
endif()
string(REPLACE "${tag}" "<script>\n${script}</script>" page "${page}")
string(REPLACE "\n<html " "\n<!--\n${licences}-->\n<html " page "${page}")
file(WRITE ${OUT} "${page}")
