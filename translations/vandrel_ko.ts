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
        <source>No preview</source>
        <translation>미리 보기 없음</translation>
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
        <source>by D&amp;ate</source>
        <translation>날짜순(&amp;A)</translation>
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
<context>
    <name>Studio</name>
    <message>
        <source>Recen&amp;t Folders</source>
        <translation>최근 폴더(&amp;T)</translation>
    </message>
    <message>
        <source>Drawings</source>
        <translation>도면</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>이미지</translation>
    </message>
    <message>
        <source>Descending</source>
        <translation>내림차순</translation>
    </message>
    <message>
        <source>Controls gallery</source>
        <translation>컨트롤 갤러리</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>폴더</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>미리 보기</translation>
    </message>
    <message>
        <source>&amp;Library</source>
        <translation>라이브러리(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Add to library…</source>
        <translation>라이브러리에 추가(&amp;A)…</translation>
    </message>
    <message>
        <source>&amp;Delete from library…</source>
        <translation>라이브러리에서 삭제(&amp;D)…</translation>
    </message>
    <message>
        <source>E&amp;xtract into this folder</source>
        <translation>이 폴더로 추출(&amp;X)</translation>
    </message>
    <message>
        <source>Export as &amp;PNG…</source>
        <translation>PNG로 내보내기(&amp;P)…</translation>
    </message>
    <message>
        <source>Export as &amp;SVG…</source>
        <translation>SVG로 내보내기(&amp;S)…</translation>
    </message>
    <message>
        <source>Vandrel Image Editor</source>
        <translation>Vandrel 이미지 편집기</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>파일(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>새로 만들기(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>열기(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>저장(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>다른 이름으로 저장(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>닫기(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Full screen</source>
        <translation>전체 화면(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Active window</source>
        <translation>활성 창(&amp;A)</translation>
    </message>
    <message>
        <source>Active &amp;client area</source>
        <translation>활성 창의 작업 영역(&amp;C)</translation>
    </message>
    <message>
        <source>A&amp;rea</source>
        <translation>영역(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Window under cursor</source>
        <translation>커서 아래의 창(&amp;W)</translation>
    </message>
    <message>
        <source>Selected &amp;object</source>
        <translation>선택한 개체(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Menu under cursor</source>
        <translation>커서 아래의 메뉴(&amp;M)</translation>
    </message>
    <message>
        <source>Mouse c&amp;ursor</source>
        <translation>마우스 커서(&amp;U)</translation>
    </message>
    <message>
        <source>Wa&amp;llpaper</source>
        <translation>배경 화면(&amp;L)</translation>
    </message>
    <message>
        <source>Ar&amp;ea options...</source>
        <translation>영역 옵션(&amp;E)...</translation>
    </message>
    <message>
        <source>O&amp;bject options...</source>
        <translation>개체 옵션(&amp;B)...</translation>
    </message>
    <message>
        <source>&amp;Stop capture</source>
        <translation>캡처 중지(&amp;S)</translation>
    </message>
    <message>
        <source>Ac&amp;quire...</source>
        <translation>가져오기(&amp;Q)...</translation>
    </message>
    <message>
        <source>Color &amp;merge</source>
        <translation>색 병합(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>인쇄(&amp;P)</translation>
    </message>
    <message>
        <source>Print to P&amp;DF...</source>
        <translation>PDF로 인쇄(&amp;D)...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>끝내기(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>편집(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>실행 취소(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>복사(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste as new image</source>
        <translation>새 이미지로 붙여넣기(&amp;P)</translation>
    </message>
    <message>
        <source>Pa&amp;ge</source>
        <translation>페이지(&amp;G)</translation>
    </message>
    <message>
        <source>&amp;Add page...</source>
        <translation>페이지 추가(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Insert page...</source>
        <translation>페이지 삽입(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;Replace page...</source>
        <translation>페이지 바꾸기(&amp;R)...</translation>
    </message>
    <message>
        <source>&amp;Delete page</source>
        <translation>페이지 삭제(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Previous page</source>
        <translation>이전 페이지(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Next page</source>
        <translation>다음 페이지(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Image</source>
        <translation>이미지(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Flip</source>
        <translation>상하 뒤집기(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Reverse</source>
        <translation>좌우 뒤집기(&amp;R)</translation>
    </message>
    <message>
        <source>Rotate 90° clockwise</source>
        <translation>시계 방향으로 90° 회전</translation>
    </message>
    <message>
        <source>Rotate 180°</source>
        <translation>180° 회전</translation>
    </message>
    <message>
        <source>Rotate 270° clockwise</source>
        <translation>시계 방향으로 270° 회전</translation>
    </message>
    <message>
        <source>Rotate any angle...</source>
        <translation>임의 각도로 회전...</translation>
    </message>
    <message>
        <source>S&amp;hear...</source>
        <translation>기울이기(&amp;H)...</translation>
    </message>
    <message>
        <source>Resi&amp;ze...</source>
        <translation>크기 조정(&amp;Z)...</translation>
    </message>
    <message>
        <source>Resam&amp;ple...</source>
        <translation>다시 샘플링(&amp;P)...</translation>
    </message>
    <message>
        <source>&amp;Deskew</source>
        <translation>기울기 보정(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Effects</source>
        <translation>효과(&amp;E)</translation>
    </message>
    <message>
        <source>Posterize...</source>
        <translation>포스터화...</translation>
    </message>
    <message>
        <source>Mosaic...</source>
        <translation>모자이크...</translation>
    </message>
    <message>
        <source>Average...</source>
        <translation>평균...</translation>
    </message>
    <message>
        <source>Median...</source>
        <translation>중간값...</translation>
    </message>
    <message>
        <source>Sharpen...</source>
        <translation>선명하게...</translation>
    </message>
    <message>
        <source>Add noise...</source>
        <translation>노이즈 추가...</translation>
    </message>
    <message>
        <source>Emboss...</source>
        <translation>엠보스...</translation>
    </message>
    <message>
        <source>Oilify...</source>
        <translation>유화...</translation>
    </message>
    <message>
        <source>Edge enhance</source>
        <translation>가장자리 강조</translation>
    </message>
    <message>
        <source>Underlay</source>
        <translation>밑그림</translation>
    </message>
    <message>
        <source>&amp;Despeckle</source>
        <translation>잡티 제거(&amp;D)</translation>
    </message>
    <message>
        <source>Gradient...</source>
        <translation>그라디언트...</translation>
    </message>
    <message>
        <source>Laplacian...</source>
        <translation>라플라시안...</translation>
    </message>
    <message>
        <source>Sobel...</source>
        <translation>소벨...</translation>
    </message>
    <message>
        <source>Prewitt...</source>
        <translation>프리윗...</translation>
    </message>
    <message>
        <source>Shift and difference...</source>
        <translation>이동 차분...</translation>
    </message>
    <message>
        <source>Line segment...</source>
        <translation>선분...</translation>
    </message>
    <message>
        <source>Ma&amp;x filter...</source>
        <translation>최대값 필터(&amp;X)...</translation>
    </message>
    <message>
        <source>Mi&amp;n filter...</source>
        <translation>최소값 필터(&amp;N)...</translation>
    </message>
    <message>
        <source>Binary &amp;erosion</source>
        <translation>이진 침식(&amp;E)</translation>
    </message>
    <message>
        <source>Binary &amp;dilation</source>
        <translation>이진 팽창(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Color</source>
        <translation>색(&amp;C)</translation>
    </message>
    <message>
        <source>Halftone...</source>
        <translation>하프톤...</translation>
    </message>
    <message>
        <source>Gray scale 8</source>
        <translation>회색조 8</translation>
    </message>
    <message>
        <source>Gray scale 12</source>
        <translation>회색조 12</translation>
    </message>
    <message>
        <source>Gray scale 16</source>
        <translation>회색조 16</translation>
    </message>
    <message>
        <source>Color resolution...</source>
        <translation>색 해상도...</translation>
    </message>
    <message>
        <source>Window level...</source>
        <translation>창 수준...</translation>
    </message>
    <message>
        <source>Invert</source>
        <translation>반전</translation>
    </message>
    <message>
        <source>Histogram equalize</source>
        <translation>히스토그램 평활화</translation>
    </message>
    <message>
        <source>Stretch intensity</source>
        <translation>밝기 늘이기</translation>
    </message>
    <message>
        <source>Hue...</source>
        <translation>색조...</translation>
    </message>
    <message>
        <source>Saturation...</source>
        <translation>채도...</translation>
    </message>
    <message>
        <source>Histogram contrast...</source>
        <translation>히스토그램 대비...</translation>
    </message>
    <message>
        <source>Brightness...</source>
        <translation>밝기...</translation>
    </message>
    <message>
        <source>Contrast...</source>
        <translation>대비...</translation>
    </message>
    <message>
        <source>Gamma correct...</source>
        <translation>감마 보정...</translation>
    </message>
    <message>
        <source>Intensity detect...</source>
        <translation>밝기 검출...</translation>
    </message>
    <message>
        <source>Solarize...</source>
        <translation>솔라리제이션...</translation>
    </message>
    <message>
        <source>Unique colors</source>
        <translation>고유 색 수</translation>
    </message>
    <message>
        <source>Auto levels</source>
        <translation>자동 레벨</translation>
    </message>
    <message>
        <source>Fill...</source>
        <translation>채우기...</translation>
    </message>
    <message>
        <source>Separate &amp;RGB</source>
        <translation>RGB 분리(&amp;R)</translation>
    </message>
    <message>
        <source>Separate &amp;CMYK</source>
        <translation>CMYK 분리(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>도구(&amp;T)</translation>
    </message>
    <message>
        <source>Draw &amp;point</source>
        <translation>점 그리기(&amp;P)</translation>
    </message>
    <message>
        <source>Draw &amp;line</source>
        <translation>선 그리기(&amp;L)</translation>
    </message>
    <message>
        <source>Draw &amp;rectangle</source>
        <translation>사각형 그리기(&amp;R)</translation>
    </message>
    <message>
        <source>Draw &amp;ellipse</source>
        <translation>타원 그리기(&amp;E)</translation>
    </message>
    <message>
        <source>Draw &amp;text</source>
        <translation>글자 쓰기(&amp;T)</translation>
    </message>
    <message>
        <source>Select re&amp;ctangle</source>
        <translation>사각형 선택(&amp;C)</translation>
    </message>
    <message>
        <source>Select ro&amp;unded rectangle</source>
        <translation>둥근 사각형 선택(&amp;U)</translation>
    </message>
    <message>
        <source>Select &amp;freehand</source>
        <translation>자유형 선택(&amp;F)</translation>
    </message>
    <message>
        <source>Select by c&amp;olor</source>
        <translation>색으로 선택(&amp;O)</translation>
    </message>
    <message>
        <source>Pa&amp;n</source>
        <translation>이동(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>보기(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Normal (100%)</source>
        <translation>보통 (100%)(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>확대/축소(&amp;Z)</translation>
    </message>
    <message>
        <source>&amp;Fit to window</source>
        <translation>창에 맞추기(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Snap window to image</source>
        <translation>창을 이미지에 맞추기(&amp;S)</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>확대(&amp;I)</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>축소(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Pan window</source>
        <translation>창 이동(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>환경 설정(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Palette</source>
        <translation>팔레트(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Automatic</source>
        <translation>자동(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Fixed</source>
        <translation>고정(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Dithering</source>
        <translation>디더링(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Ordered</source>
        <translation>규칙(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Error diffusion</source>
        <translation>오차 확산(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Bitonal scaling</source>
        <translation>흑백 배율(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <translation>보통(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Favor black</source>
        <translation>검은색 우선(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Scale to gray</source>
        <translation>회색조로 배율(&amp;S)</translation>
    </message>
    <message>
        <source>Paint &amp;scaling</source>
        <translation>그리기 배율(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Resample</source>
        <translation>다시 샘플링(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Bicubic</source>
        <translation>바이큐빅(&amp;B)</translation>
    </message>
    <message>
        <source>Show p&amp;review when opening</source>
        <translation>열 때 미리 보기 표시(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>창(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>바둑판식 배열(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>계단식 배열(&amp;C)</translation>
    </message>
    <message>
        <source>Save &amp;as...</source>
        <translation>다른 이름으로 저장(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>다시 실행(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>붙여넣기(&amp;P)</translation>
    </message>
    <message>
        <source>Flip / Reverse...</source>
        <translation>뒤집기...</translation>
    </message>
    <message>
        <source>R&amp;otate...</source>
        <translation>회전(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Spatial filters</source>
        <translation>공간 필터(&amp;S)</translation>
    </message>
    <message>
        <source>Color...</source>
        <translation>색...</translation>
    </message>
    <message>
        <source>Level...</source>
        <translation>레벨...</translation>
    </message>
    <message>
        <source>&amp;Fit</source>
        <translation>맞추기(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Pan tool</source>
        <translation>이동 도구(&amp;P)</translation>
    </message>
    <message>
        <source>C&amp;rop tool</source>
        <translation>자르기 도구(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;No tool</source>
        <translation>도구 없음(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Wipe in</source>
        <translation>닦아내기 효과(&amp;W)</translation>
    </message>
    <message>
        <source>Fa&amp;de in</source>
        <translation>서서히 나타내기(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Open folder…</source>
        <translation>폴더 열기(&amp;O)…</translation>
    </message>
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
        <source>R&amp;efresh</source>
        <translation>새로 고침(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Dialogs</source>
        <translation>대화 상자(&amp;D)</translation>
    </message>
    <message>
        <source>View &amp;Slide…</source>
        <translation>슬라이드 보기(&amp;S)…</translation>
    </message>
    <message>
        <source>View &amp;Thumbnail (DEMO.SLB)…</source>
        <translation>미리 보기 (DEMO.SLB)(&amp;T)…</translation>
    </message>
    <message>
        <source>View &amp;Drawing…</source>
        <translation>도면 보기(&amp;D)…</translation>
    </message>
    <message>
        <source>View Drawing &amp;without preview…</source>
        <translation>미리 보기 없이 도면 보기(&amp;W)…</translation>
    </message>
    <message>
        <source>View &amp;RichText (Korean RTF)…</source>
        <translation>서식 있는 텍스트 보기 (한글 RTF)(&amp;R)…</translation>
    </message>
    <message>
        <source>View &amp;plain text…</source>
        <translation>일반 텍스트 보기(&amp;P)…</translation>
    </message>
    <message>
        <source>File &amp;viewer of a thumbnail cell (drawing)…</source>
        <translation>미리 보기 칸의 파일 보기 (도면)(&amp;V)…</translation>
    </message>
    <message>
        <source>Select &amp;Color…</source>
        <translation>색상 선택(&amp;C)…</translation>
    </message>
    <message>
        <source>Select Color in &amp;Korean…</source>
        <translation>한국어로 색상 선택(&amp;K)…</translation>
    </message>
    <message>
        <source>Choose a &amp;folder…</source>
        <translation>폴더 선택(&amp;F)…</translation>
    </message>
    <message>
        <source>&amp;Icon Menu…</source>
        <translation>아이콘 메뉴(&amp;I)…</translation>
    </message>
    <message>
        <source>&amp;About Vandrel Studio</source>
        <translation>Vandrel Studio 정보(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Airfoil…</source>
        <translation>에어포일(&amp;A)…</translation>
    </message>
    <message>
        <source>&amp;Browse folder…</source>
        <translation>폴더 둘러보기(&amp;B)…</translation>
    </message>
    <message>
        <source>&amp;Command history…</source>
        <translation>명령 기록(&amp;C)…</translation>
    </message>
    <message>
        <source>&amp;Controls gallery</source>
        <translation>컨트롤 모음(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Database</source>
        <translation>데이터베이스(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Drawing file…</source>
        <translation>도면 파일(&amp;D)…</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>찾기(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>도움말(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Image editor</source>
        <translation>이미지 편집기(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Simulated long job</source>
        <translation>오래 걸리는 작업 흉내(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>시작(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Timer…</source>
        <translation>타이머(&amp;T)…</translation>
    </message>
    <message>
        <source>&amp;User properties…</source>
        <translation>사용자 속성(&amp;U)…</translation>
    </message>
    <message>
        <source>C&amp;ontrols: report list and folders</source>
        <translation>컨트롤: 보고서 목록과 폴더(&amp;O)</translation>
    </message>
    <message>
        <source>City:</source>
        <translation>도시:</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>데이터베이스</translation>
    </message>
    <message>
        <source>Field:</source>
        <translation>필드:</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>대기</translation>
    </message>
    <message>
        <source>Image &amp;browser</source>
        <translation>이미지 둘러보기(&amp;B)</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>기록</translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation>정지(&amp;T)</translation>
    </message>
    <message>
        <source>Set&amp;up…</source>
        <translation>설정(&amp;U)…</translation>
    </message>
    <message>
        <source>Slide &amp;library manager (sample slides)…</source>
        <translation>슬라이드 라이브러리 관리자 (예제 슬라이드)(&amp;L)…</translation>
    </message>
    <message>
        <source>Slide library manager (c&amp;opy in Documents)…</source>
        <translation>슬라이드 라이브러리 관리자 (문서 폴더의 사본)(&amp;O)…</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>타이머</translation>
    </message>
    <message>
        <source>Vandrel controls</source>
        <translation>Vandrel 컨트롤</translation>
    </message>
    <message>
        <source>Vandrel report list and directory tree</source>
        <translation>Vandrel 보고서 목록과 디렉터리 트리</translation>
    </message>
    <message>
        <source>value; % and _ are wildcards</source>
        <translation>값; %와 _는 와일드카드</translation>
    </message>
    <message>
        <source>View Slide in a ca&amp;ller's dialog…</source>
        <translation>호출자의 대화 상자에서 슬라이드 보기(&amp;L)…</translation>
    </message>
    <message>
        <source>I&amp;nput String…</source>
        <translation>문자열 입력(&amp;N)…</translation>
    </message>
    <message>
        <source>Find D&amp;ata…</source>
        <translation>데이터 찾기(&amp;A)…</translation>
    </message>
    <message>
        <source>Capt&amp;ure</source>
        <translation>캡처(&amp;U)</translation>
    </message>
    <message>
        <source>Capture op&amp;tions...</source>
        <translation>캡처 옵션(&amp;T)...</translation>
    </message>
    <message>
        <source>Select sou&amp;rce...</source>
        <translation>원본 선택(&amp;R)...</translation>
    </message>
    <message>
        <source>Fil&amp;ters</source>
        <translation>필터(&amp;T)</translation>
    </message>
    <message>
        <source>Select ell&amp;ipse</source>
        <translation>타원 선택(&amp;I)</translation>
    </message>
    <message>
        <source>Prompt for saving page c&amp;hanges</source>
        <translation>페이지 변경 내용 저장 묻기(&amp;H)</translation>
    </message>
    <message>
        <source>by D&amp;ate</source>
        <translation>날짜순(&amp;A)</translation>
    </message>
    <message>
        <source>Recen&amp;t Files</source>
        <translation>최근 파일(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>목록 지우기(&amp;C)</translation>
    </message>
    <message>
        <source>%1 is no longer there.</source>
        <translation>%1 파일이 더 이상 없습니다.</translation>
    </message>
</context>
</TS>
