<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>RenamerWords</name>
    <message numerus="yes">
        <source>%Ln of %1 change(s)</source>
        <translation>
            <numerusform>%Ln of %1 changes</numerusform>
            <numerusform>%Ln of %1 change</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln name(s)</source>
        <translation>
            <numerusform>%Ln name</numerusform>
            <numerusform>%Ln names</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln folder(s) to make</source>
        <translation>
            <numerusform>%Ln folder to make</numerusform>
            <numerusform>%Ln folders to make</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln get(s) a version label</source>
        <translation>
            <numerusform>%Ln gets a version label</numerusform>
            <numerusform>%Ln get a version label</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln get(s) a counter suffix</source>
        <translation>
            <numerusform>%Ln gets a counter suffix</numerusform>
            <numerusform>%Ln get a counter suffix</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln keep(s) their name and place</source>
        <translation>
            <numerusform>%Ln keeps its name and place</numerusform>
            <numerusform>%Ln keep their name and place</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln keep(s) their name</source>
        <translation>
            <numerusform>%Ln keeps its name</numerusform>
            <numerusform>%Ln keep their name</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln keep(s) their name: no title could be told apart</source>
        <translation>
            <numerusform>%Ln keeps its name: no title could be told apart</numerusform>
            <numerusform>%Ln keep their name: no title could be told apart</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln film(s)</source>
        <translation>
            <numerusform>%Ln film</numerusform>
            <numerusform>%Ln films</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln episode(s)</source>
        <translation>
            <numerusform>%Ln episode</numerusform>
            <numerusform>%Ln episodes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln sidecar(s)</source>
        <translation>
            <numerusform>%Ln sidecar</numerusform>
            <numerusform>%Ln sidecars</numerusform>
        </translation>
    </message>
</context>
</TS>
