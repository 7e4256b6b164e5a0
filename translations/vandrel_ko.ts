<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-License-Identifier: MIT -->
<TS version="2.1" language="ko_KR">
<context>
    <name>Dialog</name>
    <message>
        <source>Progress</source>
        <translation>진행</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>취소(&amp;C)</translation>
    </message>
    <message>
        <source>About</source>
        <translation>정보</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>확인(&amp;O)</translation>
    </message>
    <message>
        <source>Input String</source>
        <translation>문자열 입력</translation>
    </message>
    <message>
        <source>Find Data</source>
        <translation>데이터 찾기</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>찾기(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>닫기(&amp;C)</translation>
    </message>
    <message>
        <source>Select Color</source>
        <translation>색상 선택</translation>
    </message>
    <message>
        <source>Standard Colors</source>
        <translation>표준 색상</translation>
    </message>
    <message>
        <source>Gray Shaders</source>
        <translation>회색 음영</translation>
    </message>
    <message>
        <source>Logical Colors</source>
        <translation>논리적 색상</translation>
    </message>
    <message>
        <source>Full Color Palette</source>
        <translation>전체 색상 팔레트</translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation>색상(&amp;C):</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>Icon Menu</source>
        <translation>아이콘 메뉴</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>제목</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>설명</translation>
    </message>
    <message>
        <source>Free Space</source>
        <translation>남은 공간</translation>
    </message>
    <message>
        <source>&amp;Prev</source>
        <translation>이전(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>다음(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>정보(&amp;A)...</translation>
    </message>
    <message>
        <source>View Slide</source>
        <translation>슬라이드 보기</translation>
    </message>
    <message>
        <source>View Thumbnail</source>
        <translation>미리 보기</translation>
    </message>
    <message>
        <source>View Drawing</source>
        <translation>도면 보기</translation>
    </message>
    <message>
        <source>View RichText</source>
        <translation>서식 있는 텍스트 보기</translation>
    </message>
    <message>
        <source>Airfoil</source>
        <translation>에어포일</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>종류</translation>
    </message>
    <message>
        <source>&amp;Joukowski</source>
        <translation>주코프스키(&amp;J)</translation>
    </message>
    <message>
        <source>NACA &amp;4 digit series</source>
        <translation>NACA 4자리 계열(&amp;4)</translation>
    </message>
    <message>
        <source>NACA &amp;5 digit series</source>
        <translation>NACA 5자리 계열(&amp;5)</translation>
    </message>
    <message>
        <source>&amp;Data file</source>
        <translation>데이터 파일(&amp;D)</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>매개변수</translation>
    </message>
    <message>
        <source>Cam&amp;ber (%):</source>
        <translation>캠버(&amp;B) (%):</translation>
    </message>
    <message>
        <source>Camber &amp;Position(%):</source>
        <translation>캠버 위치(&amp;P) (%):</translation>
    </message>
    <message>
        <source>&amp;Thickness (%):</source>
        <translation>두께(&amp;T) (%):</translation>
    </message>
    <message>
        <source>&amp;Node:</source>
        <translation>절점(&amp;N):</translation>
    </message>
    <message>
        <source>&amp;File:</source>
        <translation>파일(&amp;F):</translation>
    </message>
    <message>
        <source>Slide Library Manager</source>
        <translation>슬라이드 라이브러리 관리자</translation>
    </message>
    <message>
        <source>&amp;Select</source>
        <translation>선택(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>삭제(&amp;D)</translation>
    </message>
    <message>
        <source>D&amp;elete All</source>
        <translation>모두 삭제(&amp;E)</translation>
    </message>
    <message>
        <source>Command History : Version 1.0</source>
        <translation>명령 기록 : 버전 1.0</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>정보(&amp;A)</translation>
    </message>
    <message>
        <source>Select Drawing File</source>
        <translation>도면 파일 선택</translation>
    </message>
    <message>
        <source>&amp;Block List</source>
        <translation>블록 목록(&amp;B)</translation>
    </message>
    <message>
        <source>Setup Timer</source>
        <translation>타이머 설정</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>시간</translation>
    </message>
    <message>
        <source>H:</source>
        <translation>시:</translation>
    </message>
    <message>
        <source>M:</source>
        <translation>분:</translation>
    </message>
    <message>
        <source>S:</source>
        <translation>초:</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>방식</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>정지(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>감소(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>증가(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Loop</source>
        <translation>반복(&amp;L)</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>소리</translation>
    </message>
    <message>
        <source>File:</source>
        <translation>파일:</translation>
    </message>
    <message>
        <source>&amp;Test</source>
        <translation>시험(&amp;T)</translation>
    </message>
    <message>
        <source>User Defined Property Manager</source>
        <translation>사용자 정의 속성 관리자</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>편집</translation>
    </message>
    <message>
        <source>A&amp;ppend</source>
        <translation>추가(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Modify</source>
        <translation>수정(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>도움말(&amp;H)</translation>
    </message>
    <message>
        <source>Edit Property</source>
        <translation>속성 편집</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>이름:</translation>
    </message>
    <message>
        <source>Value:</source>
        <translation>값:</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>뒤집기</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>회전</translation>
    </message>
    <message>
        <source>&amp;Brightness</source>
        <translation>밝기(&amp;B)</translation>
    </message>
    <message>
        <source>Co&amp;ntrast</source>
        <translation>대비(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Gamma</source>
        <translation>감마(&amp;G)</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>수준</translation>
    </message>
    <message>
        <source>&amp;Hue</source>
        <translation>색조(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Saturation</source>
        <translation>채도(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Lightness</source>
        <translation>명도(&amp;L)</translation>
    </message>
</context>
<context>
    <name>String</name>
    <message>
        <source>About %s</source>
        <translation>%s 정보</translation>
    </message>
    <message>
        <source>Icon Menu</source>
        <translation>아이콘 메뉴</translation>
    </message>
    <message>
        <source>Slide Library Manager</source>
        <translation>슬라이드 라이브러리 관리자</translation>
    </message>
    <message>
        <source>Command History</source>
        <translation>명령 기록</translation>
    </message>
    <message>
        <source>User Defined Property Manager</source>
        <translation>사용자 정의 속성 관리자</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>Lar&amp;ge Icons</source>
        <translation>큰 아이콘(&amp;G)</translation>
    </message>
    <message>
        <source>S&amp;mall Icons</source>
        <translation>작은 아이콘(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;List</source>
        <translation>간단히(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Details</source>
        <translation>자세히(&amp;D)</translation>
    </message>
    <message>
        <source>T&amp;humbnails</source>
        <translation>작게 보기(&amp;H)</translation>
    </message>
    <message>
        <source>by &amp;Name</source>
        <translation>이름순(&amp;N)</translation>
    </message>
    <message>
        <source>by &amp;Type</source>
        <translation>종류별(&amp;T)</translation>
    </message>
    <message>
        <source>by Si&amp;ze</source>
        <translation>크기순(&amp;Z)</translation>
    </message>
    <message>
        <source>by &amp;Date</source>
        <translation>날짜순(&amp;D)</translation>
    </message>
    <message>
        <source>R&amp;efresh</source>
        <translation>새로 고침(&amp;E)</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>No Selection!</source>
        <translation>선택된 항목이 없습니다!</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>찾기</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>계속하시겠습니까?</translation>
    </message>
    <message>
        <source>Duplicated property name!</source>
        <translation>속성 이름이 중복되었습니다!</translation>
    </message>
    <message>
        <source>The path of this folder is too long.</source>
        <translation>이 폴더의 경로가 너무 깁니다.</translation>
    </message>
    <message>
        <source>Are you sure you want to delete this page?</source>
        <translation>이 페이지를 삭제하시겠습니까?</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>디버그</translation>
    </message>
</context>
</TS>
