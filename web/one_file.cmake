# one_file.cmake -- gearmesh.html: the page with the program's script (and so its
# WebAssembly) written into it, one file that works wherever it is opened.
# Usage: cmake -DPAGE=index.html -DSCRIPT=gearmesh.js -DOUT=gearmesh.html -P one_file.cmake
file(READ ${PAGE} page)
file(READ ${SCRIPT} script)
set(tag "<script src=\"gearmesh.js\"></script>")
string(FIND "${page}" "${tag}" at)
string(FIND "${script}" "</script" closes)
if(at EQUAL -1 OR NOT closes EQUAL -1)
  message(FATAL_ERROR "${PAGE} has no ${tag}, or ${SCRIPT} holds a </script that would end it early")
endif()
string(REPLACE "${tag}" "<script>\n${script}</script>" page "${page}")
file(WRITE ${OUT} "${page}")
