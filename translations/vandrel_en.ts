<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-License-Identifier: MIT -->
<TS version="2.1" language="en_US">
<context>
    <name>Dialog</name>
    <message>
        <source>질문</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>확인(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>취소(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>설정</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>좌우</source>
        <translation>Left and right</translation>
    </message>
    <message>
        <source>상하</source>
        <translation>Top and bottom</translation>
    </message>
    <message>
        <source>90도 시계방향</source>
        <translation>90° clockwise</translation>
    </message>
    <message>
        <source>180도</source>
        <translation>180°</translation>
    </message>
    <message>
        <source>90도 반시계방향</source>
        <translation>90° counterclockwise</translation>
    </message>
    <message>
        <source>임의의 각도</source>
        <translation>Any angle</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>확대(&amp;V)...</source>
        <translation>&amp;View...</translation>
    </message>
    <message>
        <source>슬라이드 쇼 보기(&amp;S)...</source>
        <translation>&amp;Slide Show...</translation>
    </message>
    <message>
        <source>배경화면</source>
        <translation>Wallpaper</translation>
    </message>
    <message>
        <source>가운데(&amp;C)</source>
        <translation>&amp;Center</translation>
    </message>
    <message>
        <source>타일(&amp;T)</source>
        <translation>&amp;Tile</translation>
    </message>
    <message>
        <source>늘리기(&amp;S)</source>
        <translation>&amp;Stretch</translation>
    </message>
    <message>
        <source>삭제(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>전체선택(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>선택파일반전(&amp;I)</source>
        <translation>&amp;Invert Selection</translation>
    </message>
    <message>
        <source>사진출력(&amp;P)</source>
        <translation>&amp;Print Photo</translation>
    </message>
    <message>
        <source>사진편집(&amp;E)</source>
        <translation>&amp;Edit Photo</translation>
    </message>
    <message>
        <source>사진추가(&amp;N)</source>
        <translation>Add Phot&amp;o</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>0으로 나눌 수 없습니다!</source>
        <translation>Cannot divide by zero!</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>%s
이미 파일이 존재합니다.
이전 작업의 손실을 가져올 수도 있습니다.
계속 하겠습니까?</source>
        <translation>%s
The file already exists.
The work done before may be lost.
Do you want to continue?</translation>
    </message>
</context>
</TS>
