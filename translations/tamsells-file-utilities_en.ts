<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>ChangeWords</name>
    <message numerus="yes">
        <source>%Ln files wait under a temporary name. Ctrl+Z, or the next start of the program, will put them where they belong.</source>
        <translation>
            <numerusform>%Ln file waits under a temporary name. Ctrl+Z, or the next start of the program, will put it where it belongs.</numerusform>
            <numerusform>%Ln files wait under a temporary name. Ctrl+Z, or the next start of the program, will put them where they belong.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Files left under a temporary name: %Ln. Without a record the program cannot put them back; give them their names yourself:
%1</source>
        <translation>
            <numerusform>Files left under a temporary name: %Ln. Without a record the program cannot put them back; give them their names yourself:
%1</numerusform>
            <numerusform>Files left under a temporary name: %Ln. Without a record the program cannot put them back; give them their names yourself:
%1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln more kept their names, so that no other file would wait under a temporary name.</source>
        <translation>
            <numerusform>%Ln more kept its name, so that no other file would wait under a temporary name.</numerusform>
            <numerusform>%Ln more kept their names, so that no other file would wait under a temporary name.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %Ln more</source>
        <translation>
            <numerusform>and %Ln more</numerusform>
            <numerusform>and %Ln more</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln more were left as they were: their folder went away.</source>
        <translation>
            <numerusform>%Ln more was left as it was: its folder went away.</numerusform>
            <numerusform>%Ln more were left as they were: their folder went away.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln of its files, %1 among them, are at none of their names (old, new or temporary)</source>
        <translation>
            <numerusform>%1 is at none of its names (old, new or temporary)</numerusform>
            <numerusform>%Ln of its files, %1 among them, are at none of their names (old, new or temporary)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>And %Ln more changes.</source>
        <translation>
            <numerusform>And %Ln more change.</numerusform>
            <numerusform>And %Ln more changes.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln files</source>
        <translation>
            <numerusform>%Ln file</numerusform>
            <numerusform>%Ln files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln names</source>
        <translation>
            <numerusform>%Ln name</numerusform>
            <numerusform>%Ln names</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln folders</source>
        <translation>
            <numerusform>%Ln folder</numerusform>
            <numerusform>%Ln folders</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DropWords</name>
    <message numerus="yes">
        <source>%Ln dropped items left out: only existing files can be listed.</source>
        <translation>
            <numerusform>%Ln dropped item left out: only existing files can be listed.</numerusform>
            <numerusform>%Ln dropped items left out: only existing files can be listed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln dropped files left out: the list holds at most %1 rows.</source>
        <translation>
            <numerusform>%Ln dropped file left out: the list holds at most %1 rows.</numerusform>
            <numerusform>%Ln dropped files left out: the list holds at most %1 rows.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RenamerWords</name>
    <message numerus="yes">
        <source>%Ln of %1 change</source>
        <translation>
            <numerusform>%Ln of %1 changes</numerusform>
            <numerusform>%Ln of %1 change</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln folders to make</source>
        <translation>
            <numerusform>%Ln folder to make</numerusform>
            <numerusform>%Ln folders to make</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln get a version label</source>
        <translation>
            <numerusform>%Ln gets a version label</numerusform>
            <numerusform>%Ln get a version label</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln get a counter suffix</source>
        <translation>
            <numerusform>%Ln gets a counter suffix</numerusform>
            <numerusform>%Ln get a counter suffix</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln keep their name and place</source>
        <translation>
            <numerusform>%Ln keeps its name and place</numerusform>
            <numerusform>%Ln keep their name and place</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln keep their name</source>
        <translation>
            <numerusform>%Ln keeps its name</numerusform>
            <numerusform>%Ln keep their name</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln keep their name: no title could be told apart</source>
        <translation>
            <numerusform>%Ln keeps its name: no title could be told apart</numerusform>
            <numerusform>%Ln keep their name: no title could be told apart</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln films</source>
        <translation>
            <numerusform>%Ln film</numerusform>
            <numerusform>%Ln films</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln episodes</source>
        <translation>
            <numerusform>%Ln episode</numerusform>
            <numerusform>%Ln episodes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln sidecars</source>
        <translation>
            <numerusform>%Ln sidecar</numerusform>
            <numerusform>%Ln sidecars</numerusform>
        </translation>
    </message>
</context>
</TS>
