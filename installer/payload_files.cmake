# The files Setup.exe carries, in the order the installer unpacks them: "<entry name>|<source>",
# where the source is a target of the build, "<target>:<file>" for a file that a target writes
# into the build's program folder, or a file below the source folder. A row whose target is not
# built (or whose file is missing) is left out, so the table may list what is still to come.
set(UNFURL_PAYLOAD
  "readme.txt|installer/readme.txt"
  "Vireldan.hlp|VireldanHelp:Vireldan.hlp"
  "Vireldan.cnt|VireldanHelp:Vireldan.cnt"
  "thumbwell.exe|Thumbwell"
  "postlark.dll|Postlark"
  "ravelight.dll|Ravelight"
  "Vireldan.exe|Vireldan"
)
